#include "core/LockSession.h"

#include <functional>
#include <vector>

#include "core/ScopeExit.h"

namespace velmora {

// The steps of one hold, taken in order by the constructor and given back in reverse by the
// destructor. Each step is given back once, and only if its take did not fail.
class LockSession::Hold {
 public:
  explicit Hold(LockHost& host) {
    Take([&host] { host.SetLockHeld(true); }, [&host] { host.SetLockHeld(false); });
    Take([&host] { host.HideOwnerWindow(true); }, [&host] { host.HideOwnerWindow(false); });
    Take([&host] { host.HideTaskbar(true); }, [&host] { host.HideTaskbar(false); });
    Take([&host] { host.LockKeys(); }, [&host] { host.UnlockKeys(); });
    Take([&host] { host.CoverMonitors(); }, [&host] { host.UncoverMonitors(); });
    Take([&host] { host.SavePointer(); }, [] {});
    Take([&host] { host.Arm(); }, [&host] { host.Disarm(); });
    Take([&host] { host.StartGuard(); }, [&host] { host.StopGuard(); });
  }

  ~Hold() {
    for (auto step = giveBacks_.rbegin(); step != giveBacks_.rend(); ++step) {
      try {
        (*step)();
      } catch (...) {
        // The next step is given back all the same.
      }
    }
  }

  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  void Take(const std::function<void()>& take, std::function<void()> giveBack) {
    try {
      take();
    } catch (...) {
      return;
    }
    giveBacks_.push_back(std::move(giveBack));
  }

  std::vector<std::function<void()>> giveBacks_;
};

LockSession::LockSession(LockHost& host) : host_(host) {}

LockSession::~LockSession() { GiveBack(); }

void LockSession::Take() {
  if (hold_) return;
  releasing_ = false;
  hold_ = std::make_unique<Hold>(host_);
}

void LockSession::GiveBack() {
  if (!hold_) return;
  releasing_ = true;
  hold_.reset();
  releasing_ = false;
}

bool LockSession::RequestUnlock(const UnlockRules& rules) {
  // A hidden lock has nothing to unlock; a request while one is being answered waits for that
  // answer.
  if (!hold_) return true;
  if (asking_) return false;
  asking_ = true;
  const ScopeExit askingEnds([this] { asking_ = false; });
  bool beep = true;
  bool granted = false;
  try {
    host_.StopAnimation();
    host_.Disarm();
    granted = AskToUnlock(rules, beep);
  } catch (...) {
    granted = false;
  }
  if (!granted) Refuse(beep);
  // The windows may now be hidden: GiveBack follows.
  if (granted) releasing_ = true;
  return granted;
}

bool LockSession::AskToUnlock(const UnlockRules& rules, bool& beep) {
  PromptAnswer answer;
  if (!rules.password.empty()) answer = host_.Ask();
  const UnlockDecision decision = DecideUnlock(rules.password, rules.allowMessages, rules.message, answer);
  beep = decision.beep;
  if (decision.takeMessage) host_.TakeMessage(answer);
  return decision.granted && (!rules.runMode || host_.SystemAllows());
}

void LockSession::Refuse(bool beep) {
  try {
    if (beep) host_.Beep();
    host_.FocusLock();
    host_.ProcessMessages();
    host_.Pause(kRefusalPause);
  } catch (...) {
    // Re-arming below is what matters.
  }
  if (!hold_) return;
  try {
    host_.StartAnimation();
  } catch (...) {
    // The guard and the filter still hold the lock.
  }
  try {
    host_.RestorePointer();
    host_.ProcessMessages();
  } catch (...) {
    // As above: the filter goes back in whatever happened here.
  }
  // Last, so that the messages of putting the pointer back are not taken as activity.
  if (hold_) host_.Arm();
}

}  // namespace velmora
