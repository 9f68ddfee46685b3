#include "core/LockRules.h"

#include <cstdlib>

namespace velmora {
namespace {

constexpr std::uint32_t kMouseMove = 0x0200;

bool AlwaysActivity(std::uint32_t message) {
  switch (message) {
    case 0x0006:  // WM_ACTIVATE
    case 0x001C:  // WM_ACTIVATEAPP
    case 0x0086:  // WM_NCACTIVATE
    case 0x0100:  // WM_KEYDOWN
    case 0x0101:  // WM_KEYUP
    case 0x0104:  // WM_SYSKEYDOWN
    case 0x0105:  // WM_SYSKEYUP
    case 0x0201:  // WM_LBUTTONDOWN
    case 0x0204:  // WM_RBUTTONDOWN
    case 0x0207:  // WM_MBUTTONDOWN
      return true;
    default:
      return false;
  }
}

}  // namespace

bool CountsAsActivity(std::uint32_t message, std::uint64_t lParam, std::int32_t savedX, std::int32_t savedY) {
  if (message == kMouseMove) {
    const std::int64_t x = static_cast<std::int64_t>(lParam & 0xFFFF);
    const std::int64_t y = static_cast<std::int64_t>((lParam >> 16) & 0xFFFF);
    return std::llabs(x - savedX) > kActivityThreshold || std::llabs(y - savedY) > kActivityThreshold;
  }
  return AlwaysActivity(message);
}

UnlockDecision DecideUnlock(const std::string& password, bool allowMessages, const std::string& message,
                            const PromptAnswer& answer) {
  UnlockDecision decision;
  if (password.empty()) {
    decision.granted = true;
    decision.beep = false;
    return decision;
  }
  constexpr int kModalOk = 1;
  const bool ok = answer.modalResult == kModalOk;
  decision.granted = ok && answer.typedPassword == password;
  if (allowMessages && answer.memoText != message) {
    decision.granted = false;
    decision.beep = false;
  }
  decision.takeMessage = ok;
  return decision;
}

}  // namespace velmora
