// The command line: which mode a start asks for, and the preview window's handle.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class TRunMode { Uninstall, Install, Run, None, Configure, Preview };

// The mode chosen by the first argument; `arguments` excludes the program's own name. The
// rows are tried in order and the first match wins:
//   "/UNINSTALL", "/INSTALL"  whole argument, exact and case-sensitive
//   "/S"                      first two characters, upper-cased            -> Run
//   "/A"                      whole argument, upper-cased                  -> None
//   no argument at all                                                     -> Configure
//   "/C", "/P"                first two characters, upper-cased            -> Configure, Preview
//   anything else                                                          -> None
// Only ASCII a to z are upper-cased.
TRunMode ChooseRunMode(const std::vector<std::string>& arguments);

// Reads a window handle written as a decimal number: an optional sign and digits, nothing else
// (no blanks), whose value fits 32 bits (signed or unsigned). Window handles carry 32
// significant bits on every Windows, so the value comes back as its 32-bit pattern, to be
// sign-extended into a handle. Empty when the text is not such a number.
std::optional<std::int32_t> ParseWindowHandle(const std::string& text);

}  // namespace velmora
