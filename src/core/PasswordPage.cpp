#include "core/PasswordPage.h"

#include <algorithm>
#include <cstring>

namespace velmora {

PasswordPageState DecidePasswordPage(const std::string& storedPassword, const std::string& oldText,
                                     const std::string& newText, const std::string& confirmationText) {
  PasswordPageState state;
  state.oldEnabled = !storedPassword.empty();
  state.newEnabled = oldText == storedPassword;
  state.confirmationEnabled = state.newEnabled;
  const auto colorOf = [](bool enabled) { return enabled ? kEnabledEditColor : kDisabledEditColor; };
  state.oldColor = colorOf(state.oldEnabled);
  state.newColor = colorOf(state.newEnabled);
  state.confirmationColor = colorOf(state.confirmationEnabled);
  if (newText != confirmationText) {
    // One of them empty marks only the empty one; two different texts mark both.
    state.newLabelRed = newText.empty() || !confirmationText.empty();
    state.confirmationLabelRed = confirmationText.empty() || !newText.empty();
  }
  state.allowMessagesEnabled = !storedPassword.empty();
  return state;
}

bool NewPasswordAccepted(const std::string& storedPassword, const std::string& oldText,
                         const std::string& newText, const std::string& confirmationText) {
  return oldText == storedPassword && newText == confirmationText;
}

void StoreNewPassword(TSavedSettings& settings, const std::string& newPassword, const RandomSource& random) {
  // Positions 1 to 39 of the area; position 40 keeps what it held.
  for (int position = 1; position < kMaxPasswordLength; ++position) {
    settings.PasswordBytes[position] = static_cast<std::uint8_t>(std::clamp(random(255), 0, 254));
  }
  const std::size_t length = std::min<std::size_t>(newPassword.size(), kMaxPasswordLength);
  settings.PasswordBytes[0] = static_cast<std::uint8_t>(length);
  std::memcpy(settings.PasswordBytes + 1, newPassword.data(), length);
}

int FontSizeFromText(const std::string& text, int position, int low, int high) {
  const std::size_t digitsFrom = !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.size() == digitsFrom) return position;
  long long value = 0;
  for (std::size_t i = digitsFrom; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return position;
    // Anything this long lies far outside every range the control takes.
    if (value < 1000000) value = value * 10 + (text[i] - '0');
  }
  if (digitsFrom == 1) value = -value;
  return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace velmora
