// The lock session's Windows side: what a held lock takes from the system (the main window, the
// taskbar, the keys, a cover on every other monitor, the activity filter with the animation, and
// the guard), the unlock prompt made for each ask, and the guard that keeps every window of the
// lock where the lock's arrangement wants it. The phase and the order live in core/LockSession,
// the arrangement in core/LockArrangement. Start-up owns it; the lock screen takes it when it
// shows and gives it back when it hides.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/LockArrangement.h"
#include "core/LockSession.h"
#include "core/Settings.h"
#include "lockscreen/Surface.h"
#include "lockscreen/SystemServices.h"
#include "ui/Form.h"

namespace velmora {

class TfrmVOK;

class TLockSession : public TLockSurface::Keeper, private LockHost {
 public:
  // The prompt of one ask: its form, and how to read what was entered and wipe the password.
  struct UnlockPrompt {
    std::unique_ptr<TForm> form;
    std::function<PromptAnswer()> answer;
    std::function<void()> wipe;
  };
  // Makes the prompt for an ask; start-up's wiring. Throws when it cannot.
  using PromptMaker = std::function<UnlockPrompt()>;
  // The monitors' rectangles in screen coordinates.
  using MonitorSource = std::function<std::vector<Box>()>;

  // Covers the other monitors in the background colour of `settings`, which must outlive it.
  explicit TLockSession(const TSavedSettings& settings);
  ~TLockSession() override;
  TLockSession(const TLockSession&) = delete;
  TLockSession& operator=(const TLockSession&) = delete;

  // Without a prompt maker, an unlock with a password set is refused.
  void SetPromptMaker(PromptMaker maker) { promptMaker_ = std::move(maker); }
  // The window hidden while the lock is up and shown again when it goes, as long as it is the
  // application's main window (the configuration dialog in configure mode).
  void SetWindowToHide(HWND window) { windowToHide_ = window; }
  // Where the monitors are; the system's own list unless replaced (tests lay out monitors).
  void SetMonitorSource(MonitorSource source) { monitors_ = std::move(source); }
  // The lock screen attaches itself when it is made and detaches when it goes.
  void Attach(TfrmVOK* lockScreen) { lockScreen_ = lockScreen; }

  void Take() { core_.Take(); }
  void GiveBack() { core_.GiveBack(); }
  LockPhase Phase() const { return core_.Phase(); }
  bool Holding() const { return core_.Holding(); }
  // Activity, or another program or the user asked a window of the lock to close.
  void RequestUnlock() { core_.RequestUnlock(); }

  POINT SavedCursorPos() const { return savedCursorPos_; }
  const TKeyLockLibrary& KeyLockLibrary() const { return keyLockLibrary_; }
  const std::vector<std::unique_ptr<TLockSurface>>& Covers() const { return covers_; }
  // The open prompt's form, or null.
  TForm* Prompt() const { return prompt_.form.get(); }

  // Where the lock's windows must stand now.
  LockArrangement Arrangement() const;
  // Every window stands as the arrangement says: alive and as made, visible over its rectangle,
  // always on top with nothing of another program above it, enabled as it says, and the
  // foreground the arrangement's. With `monitors`, the covers also match the monitors as they
  // are now. Changes nothing.
  bool Intact(bool monitors) const;
  // Puts every window where the arrangement says: makes destroyed ones again (a damaged prompt
  // too, with the focus in its password box), covers the monitors anew when they changed,
  // restores what another program changed, and gives the foreground back.
  void Recover();

  // TLockSurface::Keeper.
  void KeepInPlace(HWND window, WINDOWPOS& position) override;
  bool Keeping() const override { return !Arrangement().windows.empty(); }
  void LookNow() override;
  void DisplaysChanged() override;
  void CloseRequested() override { RequestUnlock(); }

 private:
  // LockHost.
  void HideMainWindow(bool hidden) override;
  void HideTaskbar(bool hidden) override;
  void LockKeys() override;
  void UnlockKeys() override;
  void CoverMonitors() override;
  void UncoverMonitors() override;
  void SavePointer() override;
  void RestorePointer() override;
  void Arm() override;
  void Disarm() override;
  void StartAnimation() override;
  void StopAnimation() override;
  void StartGuard() override;
  void StopGuard() override;
  UnlockRules Rules() override;
  void OpenPrompt() override;
  void ClosePrompt() override;
  void TakeMessage(const PromptAnswer& answer) override;
  bool SystemAllows() override;
  void Beep() override;
  void FocusLock() override;
  void StartPause(unsigned milliseconds) override;
  void StopPause() override;
  void Unlock() override;

  // The activity filter, the application's message hook while armed: on activity it asks for
  // the unlock. It never marks a message handled.
  void AppMessage(MSG& message, bool& handled);
  // The guard's look, and Recover when something is out of place.
  void Guard();
  HWND LockWindow() const;
  RECT PrimaryBounds() const;
  // The covers' rectangles for the monitors as they are now.
  std::vector<Box> CoverLayout() const;
  // Makes the covers anew when the monitors changed or a cover was destroyed from outside.
  void FollowMonitors();
  // The window the arrangement means by `placed`, or null when it is not there.
  HWND WindowOf(const PlacedWindow& placed) const;
  const TLockSurface* SurfaceOf(HWND window) const;
  bool InPlace(HWND window, const PlacedWindow& placed) const;
  bool NothingForeignAbove(const LockArrangement& arrangement) const;
  bool PromptDamaged() const;
  // The prompt's window is shown modal to the lock screen, kept by the session, and in front.
  void ShowPrompt();
  // Makes the prompt of this ask again, empty, in front with the focus in its password box.
  void RemakePrompt();
  // A prompt that is done with goes once no handler of it runs any more.
  void DiscardPrompt();
  void RemakeLockScreen();
  void BringForward(const PlacedWindow& placed);
  static LRESULT CALLBACK KeepPrompt(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR session);
  static void CALLBACK PauseTick(HWND, UINT, UINT_PTR, DWORD);
  static void CALLBACK WindowEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD);

  LockSession core_{*this};
  const TSavedSettings& settings_;
  TfrmVOK* lockScreen_ = nullptr;
  PromptMaker promptMaker_;
  UnlockPrompt prompt_;
  RECT promptBounds_{0, 0, 0, 0};
  std::vector<std::unique_ptr<TForm>> discarded_;
  HWND windowToHide_ = nullptr;
  MonitorSource monitors_;
  TKeyLockLibrary keyLockLibrary_;
  std::vector<std::unique_ptr<TLockSurface>> covers_;
  std::vector<Box> coverLayout_;
  POINT savedCursorPos_{0, 0};
  UINT_PTR pauseTimer_ = 0;
  std::vector<HWINEVENTHOOK> eventHooks_;
  static constexpr int kRemakeTries = 10;
  // The guard compares the monitors at every tenth look (about once a second): a change the
  // system announces is followed at once, one it never announced within a second.
  static constexpr unsigned kMonitorLooks = 10;
  unsigned guardLooks_ = 0;
  bool displaysChanged_ = false;
  int remakeFailures_ = 0;
};

}  // namespace velmora
