// The lock screen's scrolling message: flattening it to one line, its scroll step, its font face.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The message as one line: every CR LF becomes eight spaces, then every character of code 32 or
// below (spaces and control characters) is trimmed from both ends. Characters above 127 are
// ordinary text.
std::string BuildDisplayLine(const std::string& message);

// One tick of the scroll: the position moves one pixel left, and once the line's last column
// has left the window (position below -textWidth) it re-enters at windowWidth.
std::int32_t AdvanceMessagePosition(std::int32_t position, int textWidth, int windowWidth);

// The face FontNames[index]; the first face when index is out of range; empty when there are
// no faces at all (the system then picks its default face).
const std::string& MessageFontFace(const std::vector<std::string>& fontNames, std::int32_t index);

}  // namespace velmora
