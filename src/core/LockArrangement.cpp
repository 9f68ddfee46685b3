#include "core/LockArrangement.h"

namespace velmora {

LockArrangement ArrangeLock(LockPhase phase, bool promptOpen, const Box& primary, const std::vector<Box>& covers,
                            const Box& prompt) {
  LockArrangement arrangement;
  if (phase != LockPhase::Held && phase != LockPhase::Asking) return arrangement;
  const bool asking = phase == LockPhase::Asking && promptOpen;
  if (asking) {
    arrangement.windows.push_back(PlacedWindow{LockWindow::Prompt, 0, prompt, true});
    arrangement.foreground = LockWindow::Prompt;
  }
  arrangement.windows.push_back(PlacedWindow{LockWindow::LockScreen, 0, primary, !asking});
  for (std::size_t cover = 0; cover < covers.size(); ++cover) {
    arrangement.windows.push_back(PlacedWindow{LockWindow::Cover, cover, covers[cover], true});
  }
  return arrangement;
}

}  // namespace velmora
