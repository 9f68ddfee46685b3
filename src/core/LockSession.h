// The lock session: what a held lock takes from the system, given back exactly once however the
// lock ends, and the unlock sequence run while it is held. The system and the windows are behind
// LockHost, so the rules hold (and are tested) without either.
#pragma once
#include <memory>
#include <string>

#include "core/LockRules.h"

namespace velmora {

// What the session asks of the system and of the lock's windows. Each give-back undoes its take
// and may be called after a take that failed; a call may throw, the session carries on.
class LockHost {
 public:
  virtual ~LockHost() = default;

  // The held-lock flag: while it is set, nothing but a granted unlock or the program's end may
  // end the message loop or hide the lock.
  virtual void SetLockHeld(bool held) = 0;
  // The window the lock hides while it is up (the configuration dialog, when it is the main
  // window) and shows again.
  virtual void HideOwnerWindow(bool hidden) = 0;
  virtual void HideTaskbar(bool hidden) = 0;
  // Loads the key-locking library and locks the keys; unlocks them and unloads it.
  virtual void LockKeys() = 0;
  virtual void UnlockKeys() = 0;
  // Covers every monitor but the lock screen's own; removes the covers.
  virtual void CoverMonitors() = 0;
  virtual void UncoverMonitors() = 0;
  // Remembers where the pointer is: the reference of the movement threshold, and where it is put
  // back after a refusal.
  virtual void SavePointer() = 0;
  virtual void RestorePointer() = 0;
  // The activity filter: installed (armed) it asks for the unlock on activity.
  virtual void Arm() = 0;
  virtual void Disarm() = 0;
  // The guard puts every window of the lock back whatever another program did to it.
  virtual void StartGuard() = 0;
  virtual void StopGuard() = 0;

  // The unlock sequence's steps.
  virtual void StopAnimation() = 0;
  virtual void StartAnimation() = 0;
  // Shows the unlock prompt modally and returns its answer.
  virtual PromptAnswer Ask() = 0;
  // The prompt's message becomes the lock's message; Dirty follows the keep box.
  virtual void TakeMessage(const PromptAnswer& answer) = 0;
  // The system's own screen-saver password check (run mode only).
  virtual bool SystemAllows() = 0;
  virtual void Beep() = 0;
  virtual void FocusLock() = 0;
  virtual void ProcessMessages() = 0;
  virtual void Pause(unsigned milliseconds) = 0;
};

// What an unlock is judged against, read when it is asked for.
struct UnlockRules {
  std::string password;
  bool allowMessages = false;
  std::string message;
  bool runMode = false;
};

class LockSession {
 public:
  static constexpr unsigned kRefusalPause = 400;

  explicit LockSession(LockHost& host);
  // Gives back whatever is still held.
  ~LockSession();
  LockSession(const LockSession&) = delete;
  LockSession& operator=(const LockSession&) = delete;

  // Takes, in this order: the held-lock flag, the owner window, the taskbar, the keys, the other
  // monitors, the pointer's position, the activity filter and the guard. A step that fails is
  // not given back; the others are still taken, so the lock holds what it can. Does nothing
  // while held.
  void Take();
  // Gives back, in the reverse order, each step that was taken, once; a step that fails does not
  // keep the others. Does nothing while not held.
  void GiveBack();
  bool Held() const { return static_cast<bool>(hold_); }
  // Between Take and GiveBack, and not ended by a granted unlock: the windows must stay.
  bool Holding() const { return Held() && !releasing_; }
  // The lock is being given up, by a granted unlock or the program's end: its windows may go
  // until GiveBack.
  void Release() { releasing_ = true; }
  bool Asking() const { return asking_; }

  // The unlock sequence. True for a granted unlock: the lock may be given up (the caller hides
  // it). A refusal, or a failure while asking, re-arms the lock after the pause; a request while
  // one is being answered is refused at once.
  bool RequestUnlock(const UnlockRules& rules);

 private:
  class Hold;
  bool AskToUnlock(const UnlockRules& rules, bool& beep);
  void Refuse(bool beep);

  LockHost& host_;
  std::unique_ptr<Hold> hold_;
  bool asking_ = false;
  bool releasing_ = false;
};

}  // namespace velmora
