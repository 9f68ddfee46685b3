// Letter case of 8-bit text where only the ASCII letters count: switches, names and the
// comparisons that must not depend on the user's locale.
#pragma once
#include <string>

namespace velmora {

// ASCII a to z become A to Z; every other byte stays as it is.
char AsciiUpperChar(char c);
std::string AsciiUpperCase(const std::string& text);
// Three-way comparison folding ASCII letters only; bytes above 127 compare unsigned.
int CompareAsciiIgnoringCase(const std::string& a, const std::string& b);
bool AsciiEqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace velmora
