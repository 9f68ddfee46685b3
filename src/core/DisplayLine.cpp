#include "core/DisplayLine.h"

namespace velmora {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string BuildDisplayLine(const std::string& message) {
  std::string line;
  line.reserve(message.size());
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') {
      line.append(8, ' ');
      ++i;
    } else {
      line += message[i];
    }
  }
  std::size_t first = 0;
  while (first < line.size() && IsBlankOrControl(line[first])) ++first;
  std::size_t end = line.size();
  while (end > first && IsBlankOrControl(line[end - 1])) --end;
  return line.substr(first, end - first);
}

std::int32_t AdvanceMessagePosition(std::int32_t position, int textWidth, int windowWidth) {
  // In 64 bits, so that a stored position at the bottom of the 32-bit range cannot overflow.
  const std::int64_t moved = static_cast<std::int64_t>(position) - 1;
  if (moved < -static_cast<std::int64_t>(textWidth)) return windowWidth;
  return static_cast<std::int32_t>(moved);
}

const std::string& MessageFontFace(const std::vector<std::string>& fontNames, std::int32_t index) {
  static const std::string noFace;
  if (fontNames.empty()) return noFace;
  if (index < 0 || static_cast<std::size_t>(index) >= fontNames.size()) return fontNames.front();
  return fontNames[static_cast<std::size_t>(index)];
}

}  // namespace velmora
