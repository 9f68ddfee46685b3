// The lock session: everything a held lock takes from the system (the held-lock flag, the
// window it hides, the taskbar, the keys, a cover on every other monitor, the activity filter
// and the guard), given back once however the lock ends, and the unlock prompt's flow. Start-up
// owns it; the lock screen (the primary monitor's surface) takes it when it shows and gives it
// back when it hides.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/LockSession.h"
#include "core/Settings.h"
#include "lockscreen/SystemServices.h"

namespace velmora {

class TCoverWindow;
class TForm;
class TfrmVOK;

class TLockSession : private LockHost {
 public:
  // Posted to the lock screen: Recover once the current message is handled.
  static constexpr UINT kRecoverMessage = WM_APP + 2;
  // Posted to the lock screen while the prompt shows: puts the prompt in front.
  static constexpr UINT kRaisePromptMessage = WM_APP + 1;

  // Shows the unlock prompt modally and returns what was entered in it.
  using AskPrompt = std::function<PromptAnswer()>;
  // The unlock prompt's form, made when it is not there yet (or made again), or null. Asked for
  // only while the prompt is being asked.
  using PromptWindow = std::function<TForm*()>;
  // The monitors' rectangles in screen coordinates.
  using MonitorSource = std::function<std::vector<Box>()>;

  // Covers the other monitors in the background colour of `settings`, which must outlive it.
  explicit TLockSession(const TSavedSettings& settings);
  ~TLockSession() override;
  TLockSession(const TLockSession&) = delete;
  TLockSession& operator=(const TLockSession&) = delete;

  // Start-up's wiring. Without a prompt, an unlock with a password set is refused.
  void SetUnlockPrompt(PromptWindow prompt, AskPrompt ask);
  // The window hidden while the lock is up and shown again when it goes, as long as it is the
  // application's main window (the configuration dialog in configure mode).
  void SetWindowToHide(HWND window) { windowToHide_ = window; }
  // Where the monitors are; the system's own list unless replaced (tests lay out monitors).
  void SetMonitorSource(MonitorSource source) { monitors_ = std::move(source); }

  // The lock screen attaches itself when it is made and detaches when it goes.
  void Attach(TfrmVOK* lockScreen) { lockScreen_ = lockScreen; }

  void Take() { session_.Take(); }
  void GiveBack() { session_.GiveBack(); }
  // A granted unlock or the program's end is giving the lock up: its windows may now go.
  void Release() { session_.Release(); }
  bool Held() const { return session_.Held(); }
  // Held and not being given up: nothing another program does may take a window away.
  bool Holding() const { return session_.Holding(); }
  bool Asking() const { return session_.Asking(); }
  bool Armed() const { return armed_; }
  // The unlock sequence (see LockSession::RequestUnlock).
  bool RequestUnlock(const UnlockRules& rules) { return session_.RequestUnlock(rules); }

  POINT SavedCursorPos() const { return savedCursorPos_; }
  const TKeyLockLibrary& KeyLockLibrary() const { return keyLockLibrary_; }
  const std::vector<std::unique_ptr<TCoverWindow>>& Covers() const { return covers_; }
  // The unlock prompt is being asked and its window is shown.
  bool PromptUp() const;
  TForm* Prompt() const { return promptWindow_ && Asking() ? promptWindow_() : nullptr; }

  // The primary monitor's rectangle, where the lock screen stands.
  RECT PrimaryBounds() const;
  // Every window of the lock stands as Recover would put it: alive, in place and as made, no
  // visible window of another program above any of them, and the prompt, when it is up, above
  // the lock screen; the foreground window is the prompt when it is up, else the lock screen.
  // With `monitors`, the covers also still match the monitors as they are now. Changes nothing.
  bool Intact(bool monitors) const;
  // Puts every window of the lock back over its monitor on top, the prompt (when it is up) in
  // front of the lock screen and the covers right under it, and gives the foreground back.
  // Covers the monitors anew when they have changed. Does nothing unless holding.
  void Recover();
  // Asks for Recover once the current message is handled.
  void RecoverSoon() const;
  // For the lock's windows: while holding, a position change of `window` (the lock screen or a
  // cover) is made to keep it showing, over its whole monitor, in its place in the z-order.
  void KeepInPlace(HWND window, WINDOWPOS& position) const;
  // The window stands where the lock needs it: visible, not minimised, over its whole monitor,
  // always on top.
  bool InPlace(HWND window) const;
  // A window of the lock was told that the displays changed.
  void DisplaysChanged() const { RecoverSoon(); }
  // Another program or the user asked a window of the lock to close: the lock screen's close
  // request, which asks for the password. The lock stays armed if it fails.
  void CloseRequested();
  // Puts the prompt, when it is up, in front of the lock screen.
  void RaisePrompt() const;
  // The lock screen's position or size changed: puts back at once the prompt it passed over, and
  // asks for Recover when it no longer stands in place.
  void LockScreenMoved() const;

 private:
  // LockHost.
  void SetLockHeld(bool held) override;
  void HideOwnerWindow(bool hidden) override;
  void HideTaskbar(bool hidden) override;
  void LockKeys() override;
  void UnlockKeys() override;
  void CoverMonitors() override;
  void UncoverMonitors() override;
  void SavePointer() override;
  void RestorePointer() override;
  void Arm() override;
  void Disarm() override;
  void StartGuard() override;
  void StopGuard() override;
  void StopAnimation() override;
  void StartAnimation() override;
  PromptAnswer Ask() override;
  void TakeMessage(const PromptAnswer& answer) override;
  bool SystemAllows() override;
  void Beep() override;
  void FocusLock() override;
  void ProcessMessages() override;
  void Pause(unsigned milliseconds) override;

  // The activity filter, the application's message hook while armed: on activity it asks the
  // lock screen to close. It never marks a message handled.
  void AppMessage(MSG& message, bool& handled);
  // The covers' rectangles for the monitors as they are now.
  std::vector<Box> CoverLayout() const;
  // Makes the covers anew when the monitors changed or a cover was destroyed from outside.
  void FollowMonitors();
  void PlaceCovers() const;
  // The cover whose window `window` is, or null.
  const TCoverWindow* CoverOf(HWND window) const;
  // No visible window of another program stands above the lock screen or a cover, and `prompt`,
  // unless null, stands above the lock screen.
  bool NothingForeignAbove(HWND prompt) const;
  // Puts back the styles, regions, parents and enabled state of the lock's windows.
  void RestoreWindows() const;
  void RemakeLockScreen();
  HWND LockWindow() const;
  static void CALLBACK GuardTick(HWND, UINT, UINT_PTR, DWORD);

  LockSession session_{*this};
  const TSavedSettings& settings_;
  TfrmVOK* lockScreen_ = nullptr;
  PromptWindow promptWindow_;
  AskPrompt askPrompt_;
  HWND windowToHide_ = nullptr;
  MonitorSource monitors_;
  TKeyLockLibrary keyLockLibrary_;
  std::vector<std::unique_ptr<TCoverWindow>> covers_;
  std::vector<Box> coverLayout_;
  RECT primary_{0, 0, 0, 0};
  POINT savedCursorPos_{0, 0};
  UINT_PTR guardTimer_ = 0;
  static constexpr int kRemakeTries = 10;
  // The guard compares the monitors at every tenth tick (about once a second): a change the
  // system announces is followed at once, one it never announced within a second.
  static constexpr unsigned kMonitorTicks = 10;
  unsigned guardTicks_ = 0;
  int remakeFailures_ = 0;
  bool armed_ = false;
  bool placing_ = false;  // Recover is putting the lock screen right under the prompt
};

}  // namespace velmora
