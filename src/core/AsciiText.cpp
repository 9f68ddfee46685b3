#include "core/AsciiText.h"

#include <algorithm>

namespace velmora {
namespace {

unsigned char AsciiUpper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

}  // namespace

char AsciiUpperChar(char c) { return static_cast<char>(AsciiUpper(c)); }

std::string AsciiUpperCase(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = AsciiUpperChar(c);
  return upper;
}

int CompareAsciiIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char left = AsciiUpper(a[i]);
    const unsigned char right = AsciiUpper(b[i]);
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool AsciiEqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareAsciiIgnoringCase(a, b) == 0;
}

}  // namespace velmora
