// Where the lock's windows must stand: which windows, from the top of the z-order down, over
// which rectangle, which of them are enabled, and which one has the foreground. The guard
// compares the real windows with it and puts them back as it says.
#pragma once
#include <cstddef>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/LockSession.h"

namespace velmora {

enum class LockWindow { Prompt, LockScreen, Cover };

struct PlacedWindow {
  LockWindow window = LockWindow::LockScreen;
  std::size_t cover = 0;  // which cover, for LockWindow::Cover
  Box bounds;             // the prompt's: where it placed itself
  bool enabled = true;
  bool operator==(const PlacedWindow& other) const {
    return window == other.window && cover == other.cover && bounds == other.bounds && enabled == other.enabled;
  }
};

struct LockArrangement {
  std::vector<PlacedWindow> windows;  // top first; none: the lock keeps no window
  LockWindow foreground = LockWindow::LockScreen;
};

// The arrangement of a lock in `phase`: nothing while it is free or on its way in or out;
// otherwise the lock screen over `primary` with a cover over each of `covers` right under it,
// in their order, and the lock screen in the foreground. While a prompt is open it stands
// above them all, at `prompt`, in the foreground, and the lock screen under it is disabled.
LockArrangement ArrangeLock(LockPhase phase, bool promptOpen, const Box& primary, const std::vector<Box>& covers,
                            const Box& prompt);

}  // namespace velmora
