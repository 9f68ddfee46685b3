// Which rectangles of the screen the lock covers besides its own window on the primary monitor.
#pragma once
#include <vector>

#include "core/ClockGeometry.h"

namespace velmora {

// The rectangles of the covers for `monitors` (screen coordinates, right and bottom exclusive):
// one per monitor that shows something the lock screen on `primary` does not cover, in the
// monitors' order. Empty monitors, monitors lying wholly within the primary one (a mirror) and
// repeats are left out.
std::vector<Box> CoverBoxes(const std::vector<Box>& monitors, const Box& primary);

}  // namespace velmora
