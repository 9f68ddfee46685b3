#include "common/win/SystemMessage.h"

#include <windows.h>

namespace velmora {

std::string SystemErrorMessage(unsigned long code) {
  char buffer[1024] = {};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     buffer, static_cast<DWORD>(sizeof buffer), nullptr);
  std::string text(buffer, length);
  const std::size_t end = text.find_last_not_of("\r\n ");
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text.empty() ? "Error " + std::to_string(code) : text;
}

}  // namespace velmora
