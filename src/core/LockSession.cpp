#include "core/LockSession.h"

#include "core/Failures.h"
#include "core/ScopeExit.h"
#include "core/Wipe.h"

namespace velmora {

LockSession::LockSession(LockHost& host) : host_(host) {}

LockSession::~LockSession() { GiveBack(); }

void LockSession::Step(const char* what, const std::function<void()>& take, std::function<void()> giveBack) {
  if (phase_ != LockPhase::Taking) return;
  Contain(what, take);
  giveBacks_.push_back(std::move(giveBack));
}

void LockSession::Take() {
  if (phase_ != LockPhase::Free) return;
  phase_ = LockPhase::Taking;
  LockHost& host = host_;
  Step("hiding the main window", [&host] { host.HideMainWindow(true); }, [&host] { host.HideMainWindow(false); });
  Step("hiding the taskbar", [&host] { host.HideTaskbar(true); }, [&host] { host.HideTaskbar(false); });
  Step("locking the keys", [&host] { host.LockKeys(); }, [&host] { host.UnlockKeys(); });
  Step("covering the monitors", [&host] { host.CoverMonitors(); }, [&host] { host.UncoverMonitors(); });
  Step("saving the pointer", [&host] { host.SavePointer(); }, [] {});
  // The filter goes in before the animation starts, and out before it stops.
  Step(
      "arming",
      [&host] {
        Contain("arming", [&host] { host.Arm(); });
        host.StartAnimation();
      },
      [&host] {
        Contain("disarming", [&host] { host.Disarm(); });
        host.StopAnimation();
      });
  Step("starting the guard", [&host] { host.StartGuard(); }, [&host] { host.StopGuard(); });
  if (phase_ == LockPhase::Taking) phase_ = LockPhase::Held;
}

void LockSession::GiveBack() {
  if (phase_ == LockPhase::Free || phase_ == LockPhase::GivingBack) return;
  phase_ = LockPhase::GivingBack;
  if (promptOpen_) {
    promptOpen_ = false;
    Contain("closing the prompt", [this] { host_.ClosePrompt(); });
  }
  if (pausing_) {
    pausing_ = false;
    Contain("ending the pause", [this] { host_.StopPause(); });
  }
  for (auto step = giveBacks_.rbegin(); step != giveBacks_.rend(); ++step) Contain("giving back", *step);
  giveBacks_.clear();
  phase_ = LockPhase::Free;
}

void LockSession::RequestUnlock() {
  if (phase_ != LockPhase::Held) return;
  phase_ = LockPhase::Asking;
  Contain("stopping the animation", [this] { host_.StopAnimation(); });
  Contain("disarming", [this] { host_.Disarm(); });
  UnlockRules rules;
  if (!Contain("reading the unlock rules", [&] { rules = host_.Rules(); })) return Refuse(true);
  const ScopeExit wipe([&rules] { Wipe(rules.password); });
  if (rules.password.empty()) return Judge(rules, PromptAnswer());
  if (Contain("opening the prompt", [this] { host_.OpenPrompt(); })) {
    promptOpen_ = true;
    return;
  }
  Refuse(true);
}

void LockSession::Answered(PromptAnswer answer) {
  const ScopeExit wipe([&answer] { Wipe(answer.typedPassword); });
  if (phase_ != LockPhase::Asking || !promptOpen_) return;
  promptOpen_ = false;
  Contain("closing the prompt", [this] { host_.ClosePrompt(); });
  UnlockRules rules;
  if (!Contain("reading the unlock rules", [&] { rules = host_.Rules(); })) return Refuse(true);
  const ScopeExit wipeRules([&rules] { Wipe(rules.password); });
  Judge(rules, answer);
}

void LockSession::Judge(const UnlockRules& rules, const PromptAnswer& answer) {
  bool beep = true;
  bool granted = false;
  Contain("judging the answer", [&] {
    const UnlockDecision decision = DecideUnlock(rules.password, rules.allowMessages, rules.message, answer);
    beep = decision.beep;
    if (decision.takeMessage) host_.TakeMessage(answer);
    granted = decision.granted && (!rules.runMode || host_.SystemAllows());
  });
  if (granted && Contain("unlocking", [this] { host_.Unlock(); })) return;
  if (phase_ == LockPhase::Asking) Refuse(beep);
}

void LockSession::Refuse(bool beep) {
  if (beep) Contain("beeping", [this] { host_.Beep(); });
  Contain("focusing the lock", [this] { host_.FocusLock(); });
  pausing_ = true;
  // Without its timer the pause ends at once: the lock is armed again either way.
  if (!Contain("starting the pause", [this] { host_.StartPause(kRefusalPause); })) PauseEnded();
}

void LockSession::PauseEnded() {
  if (phase_ != LockPhase::Asking || !pausing_) return;
  pausing_ = false;
  Contain("starting the animation", [this] { host_.StartAnimation(); });
  Contain("restoring the pointer", [this] { host_.RestorePointer(); });
  phase_ = LockPhase::Held;
  Contain("arming", [this] { host_.Arm(); });
}

}  // namespace velmora
