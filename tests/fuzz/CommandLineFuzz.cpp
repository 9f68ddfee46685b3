// The command line: the mode of the first argument, and the preview handle of the second.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/AsciiText.h"
#include "core/CommandLine.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  // Arguments separated by byte 0x1E; an empty input is a command line without arguments.
  std::vector<std::string> arguments;
  if (size > 0) {
    std::string argument;
    for (std::size_t i = 0; i < size; ++i) {
      if (data[i] == 0x1E) {
        arguments.push_back(argument);
        argument.clear();
      } else {
        argument.push_back(static_cast<char>(data[i]));
      }
    }
    arguments.push_back(argument);
  }

  const TRunMode mode = ChooseRunMode(arguments);
  if (arguments.empty()) VELMORA_FUZZ_CHECK(mode == TRunMode::Configure);
  if (!arguments.empty()) {
    // Only the first argument counts.
    VELMORA_FUZZ_CHECK(ChooseRunMode({arguments.front()}) == mode);
    const std::string upper = AsciiUpperCase(arguments.front().substr(0, 2));
    if (upper == "/S" && arguments.front() != "/UNINSTALL" && arguments.front() != "/INSTALL") {
      VELMORA_FUZZ_CHECK(mode == TRunMode::Run);
    }
  }

  for (const std::string& text : arguments) {
    const std::optional<std::int32_t> handle = ParseWindowHandle(text);
    if (!handle) continue;
    // A number read back prints as one of the texts it was read from, bar sign and zeros.
    VELMORA_FUZZ_CHECK(!text.empty() && text.find(' ') == std::string::npos);
    const std::int64_t asSigned = *handle;
    const std::int64_t asUnsigned = static_cast<std::uint32_t>(*handle);
    std::string digits = text;
    if (digits[0] == '+' || digits[0] == '-') digits.erase(0, 1);
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
    const bool negative = text[0] == '-' && digits != "0";
    const std::string expected = (negative ? "-" : "") + digits;
    VELMORA_FUZZ_CHECK(expected == std::to_string(asSigned) || expected == std::to_string(asUnsigned));
  }
  return 0;
}
