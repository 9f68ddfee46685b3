#include "core/Settings.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace velmora {

std::string TSavedSettings::Password() const {
  const int length = std::min<int>(PasswordBytes[0], kMaxPasswordLength);
  return std::string(reinterpret_cast<const char*>(PasswordBytes + 1), static_cast<size_t>(length));
}

void TSavedSettings::SetPassword(const std::string& password) {
  const size_t length = std::min<size_t>(password.size(), kMaxPasswordLength);
  PasswordBytes[0] = static_cast<std::uint8_t>(length);
  std::memcpy(PasswordBytes + 1, password.data(), length);
  std::fill(std::begin(PasswordBytes) + 1 + length, std::end(PasswordBytes), std::uint8_t{0});
}

const std::string& DefaultMessage() {
  static const std::string message =
      "\"To every thing there is a season, and a time to every purpose under the heaven: "
      "A time to be born, and a time to die; a time to plant, and a time to pluck up that which "
      "is planted; A time to kill, and a time to heal; a time to break down, and a time to build "
      "up; A time to weep, and a time to laugh; a time to mourn, and a time to dance.\"\r\n"
      "~Ecclesiastes 3:1-4~";
  return message;
}

}  // namespace velmora
