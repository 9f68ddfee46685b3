// The rules of the configuration dialog's password page: which edits are enabled and how they
// and their labels are painted, whether Apply takes the new password, and how it is stored.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "core/Settings.h"

namespace velmora {

// System colours of the password edits: the window colour while enabled, the scroll-bar
// colour while disabled.
constexpr ColorValue kEnabledEditColor = 0xFF000005;
constexpr ColorValue kDisabledEditColor = 0xFF000000;

struct PasswordPageState {
  bool oldEnabled = false;
  bool newEnabled = false;
  bool confirmationEnabled = false;
  ColorValue oldColor = kDisabledEditColor;
  ColorValue newColor = kDisabledEditColor;
  ColorValue confirmationColor = kDisabledEditColor;
  // Pure red labels; a label that is not red takes its parent's font again.
  bool newLabelRed = false;
  bool confirmationLabelRed = false;
  // Visitors' messages need a password; a disabled box is also unticked.
  bool allowMessagesEnabled = false;
};

// From the stored password and the texts of the old-password, new-password and confirmation
// edits. Every comparison is exact and case-sensitive.
PasswordPageState DecidePasswordPage(const std::string& storedPassword, const std::string& oldText,
                                     const std::string& newText, const std::string& confirmationText);

// Apply changes the password only when the old text is the stored password and the new text
// equals its confirmation. With no password stored the old text is empty and so matches.
bool NewPasswordAccepted(const std::string& storedPassword, const std::string& oldText,
                         const std::string& newText, const std::string& confirmationText);

// A source of pseudo-random numbers from 0 to range - 1.
using RandomSource = std::function<int(int range)>;

// Fills character positions 1 to 39 of the 40-character password area with random bytes 0 to
// 254 (one draw each, never 255), then writes the new password, cut to 40 characters, over the
// front with its length. The positions behind the new password keep the random bytes, so no
// character of an earlier, longer password survives there, except at position 40.
void StoreNewPassword(TSavedSettings& settings, const std::string& newPassword, const RandomSource& random);

// What the font-size edit holds, read as the up-down control's position: a decimal number
// (an optional "-" and digits, nothing else) is taken and kept to low..high; any other text
// leaves the position as it was.
int FontSizeFromText(const std::string& text, int position, int low, int high);

}  // namespace velmora
