#include "core/CommandLine.h"

#include <charconv>

#include "core/AsciiText.h"

namespace velmora {

TRunMode ChooseRunMode(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return TRunMode::Configure;
  const std::string& first = arguments.front();
  if (first == "/UNINSTALL") return TRunMode::Uninstall;
  if (first == "/INSTALL") return TRunMode::Install;
  const std::string switchLetters = AsciiUpperCase(first.substr(0, 2));
  if (switchLetters == "/S") return TRunMode::Run;
  if (AsciiUpperCase(first) == "/A") return TRunMode::None;
  if (switchLetters == "/C") return TRunMode::Configure;
  if (switchLetters == "/P") return TRunMode::Preview;
  return TRunMode::None;
}

std::optional<std::int32_t> ParseWindowHandle(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  bool negative = false;
  if (begin != end && (*begin == '+' || *begin == '-')) {
    negative = *begin == '-';
    ++begin;
  }
  // from_chars takes no sign of its own for unsigned values, and no blanks.
  if (begin == end || *begin < '0' || *begin > '9') return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [stop, error] = std::from_chars(begin, end, magnitude);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (negative) {
    if (magnitude > 0x80000000u) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  }
  if (magnitude > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
}

}  // namespace velmora
