// The lock session: the lock's one phase, what a held lock takes from the system (given back
// exactly once however the lock ends), and the unlock sequence as the events the windows report.
// The system and the windows are behind LockHost, so the rules hold (and are tested) without
// either.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/LockRules.h"

namespace velmora {

enum class LockPhase {
  Free,        // nothing is taken
  Taking,      // being taken
  Held,        // taken and armed: activity asks for the password
  Asking,      // the prompt is open, or a refusal's pause runs before the lock is armed again
  GivingBack,  // being given back
};

// What an unlock is judged against, read when it is asked for.
struct UnlockRules {
  std::string password;
  bool allowMessages = false;
  std::string message;
  bool runMode = false;
};

// What the session asks of the system and of the lock's windows. A call may throw: the failure
// is recorded and the session carries on, so that a failure never opens the lock.
class LockHost {
 public:
  virtual ~LockHost() = default;

  // The steps of a hold, taken in this order and given back in the reverse one. Each give-back
  // is called once whatever its take did, so it must do no harm after a take that failed.
  // The window hidden while the lock is up (the configuration dialog when it is the main window).
  virtual void HideMainWindow(bool hidden) = 0;
  virtual void HideTaskbar(bool hidden) = 0;
  // Loads the key-locking library and locks the keys; unlocks them and unloads it.
  virtual void LockKeys() = 0;
  virtual void UnlockKeys() = 0;
  // Puts the lock screen over the primary monitor and a cover over every other; takes them away.
  virtual void CoverMonitors() = 0;
  virtual void UncoverMonitors() = 0;
  // Remembers where the pointer is: the reference of the movement threshold, and where it is put
  // back after a refusal.
  virtual void SavePointer() = 0;
  virtual void RestorePointer() = 0;
  // The activity filter: armed, activity asks for the unlock.
  virtual void Arm() = 0;
  virtual void Disarm() = 0;
  virtual void StartAnimation() = 0;
  virtual void StopAnimation() = 0;
  // The guard keeps the windows where the lock's arrangement wants them.
  virtual void StartGuard() = 0;
  virtual void StopGuard() = 0;

  // The unlock sequence.
  virtual UnlockRules Rules() = 0;
  // Makes and shows a prompt for this ask; it reports its answer through LockSession::Answered.
  virtual void OpenPrompt() = 0;
  // Destroys the prompt and clears what was typed into it.
  virtual void ClosePrompt() = 0;
  // The prompt's message becomes the lock's message; Dirty follows the keep box.
  virtual void TakeMessage(const PromptAnswer& answer) = 0;
  // The system's own screen-saver password check (run mode only).
  virtual bool SystemAllows() = 0;
  virtual void Beep() = 0;
  virtual void FocusLock() = 0;
  // A one-shot wait that reports its end through LockSession::PauseEnded; the thread goes on
  // handling messages meanwhile.
  virtual void StartPause(unsigned milliseconds) = 0;
  virtual void StopPause() = 0;
  // A granted unlock: the lock goes (the host hides it, which gives the hold back).
  virtual void Unlock() = 0;
};

class LockSession {
 public:
  static constexpr unsigned kRefusalPause = 400;

  explicit LockSession(LockHost& host);
  // Gives back whatever is still held.
  ~LockSession();
  LockSession(const LockSession&) = delete;
  LockSession& operator=(const LockSession&) = delete;

  LockPhase Phase() const { return phase_; }
  // Anything is taken: from the start of Take to the end of GiveBack.
  bool Holding() const { return phase_ != LockPhase::Free; }
  // A prompt is open for the current ask.
  bool PromptOpen() const { return promptOpen_; }

  // Free to Held: takes the hold's steps in order. Does nothing in another phase.
  void Take();
  // Any phase to Free: closes an open prompt, ends a pause, and gives back every step in reverse.
  void GiveBack();
  // Activity or a close request. In Held: the animation and the filter stop and the prompt opens;
  // with no password the lock opens at once. A prompt that cannot be made is a refusal, and the
  // next activity tries again. Ignored in every other phase.
  void RequestUnlock();
  // The prompt has ended with `answer`: it is closed, and the answer judged. Granted: the host
  // unlocks. Refused: beep (unless a message was being left), the focus to the lock, and the
  // pause; PauseEnded arms the lock again. The typed password is wiped.
  void Answered(PromptAnswer answer);
  // The refusal's pause is over: the animation starts, the pointer goes back, and the filter is
  // armed last, so that putting the pointer back is no activity.
  void PauseEnded();

 private:
  void Step(const char* what, const std::function<void()>& take, std::function<void()> giveBack);
  void Judge(const UnlockRules& rules, const PromptAnswer& answer);
  void Refuse(bool beep);

  LockHost& host_;
  LockPhase phase_ = LockPhase::Free;
  bool promptOpen_ = false;
  bool pausing_ = false;
  std::vector<std::function<void()>> giveBacks_;
};

}  // namespace velmora
