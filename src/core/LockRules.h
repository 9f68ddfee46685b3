// The lock screen's decisions: which messages count as activity, and whether an answer of the
// unlock prompt opens the lock.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

constexpr int kActivityThreshold = 5;  // pixels a mouse move may stray without counting

// Whether a queued message wakes the lock screen. For WM_MOUSEMOVE, x and y are the low and
// high 16 bits of lParam taken unsigned; the move counts when either differs from the saved
// pointer position by more than kActivityThreshold.
bool CountsAsActivity(std::uint32_t message, std::uint64_t lParam, std::int32_t savedX, std::int32_t savedY);

// What the unlock prompt returned.
struct PromptAnswer {
  int modalResult = 0;  // 1 OK, 2 Cancel
  std::string typedPassword;
  std::string memoText;
  bool permanentTicked = false;
};

struct UnlockDecision {
  bool granted = false;
  bool beep = true;          // for a refusal: sound the beep
  bool takeMessage = false;  // the memo becomes the message, Dirty the permanent box's state
};

// With no password the lock opens without a prompt (answer is ignored then). Otherwise only OK
// with the exact password opens it, and never while a changed message is being left.
UnlockDecision DecideUnlock(const std::string& password, bool allowMessages, const std::string& message,
                            const PromptAnswer& answer);

}  // namespace velmora
