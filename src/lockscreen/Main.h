// The lock screen window: covers the primary display, locks the keys, hides the taskbar and the
// pointer, animates the clock and the message, and opens only through the unlock prompt.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/LockRules.h"
#include "lockscreen/ClockRenderer.h"
#include "lockscreen/SystemServices.h"
#include "ui/Form.h"

namespace velmora {

// The class of the lock screen window: while a window of this class exists anywhere, the
// preview stops and no second copy of the program starts.
constexpr char kLockScreenClassName[] = "TfrmVOK";

// The lock screen form, frmVOK.
class TfrmVOK : public TForm {
 public:
  // Shows the unlock prompt modally and returns what was entered in it.
  using AskPrompt = std::function<PromptAnswer()>;

  // Builds the hidden window of class "TfrmVOK"; Application must be initialised. When it is
  // the application's main window, the lock screen is in run mode.
  TfrmVOK();
  ~TfrmVOK() override;

  void FormCreate();
  void FormShow() override;
  void FormHide() override;
  void FormDestroy();
  // The unlock sequence. Returns true (the window may close) only for a granted unlock; a
  // refusal, or a failure while asking, leaves the lock screen armed again.
  bool FormCloseQuery() override;
  void tmrTimerTimer();
  // Draws one whole frame of the client area into `dc`: the clock while tmrTimer runs, and the
  // message.
  void PaintContent(HDC dc, const RECT& client);
  // The unlock prompt: its window (kept in front of the lock screen while it is up) and how to
  // ask it. Without one, a close request with a password set is refused.
  void SetUnlockPrompt(TForm* prompt, AskPrompt ask);
  // The window hidden while the lock screen is up and shown again when it goes, as long as it
  // is the application's main window (the configuration dialog in configure mode).
  void SetWindowToHide(HWND window) { windowToHide_ = window; }

  // The application's deactivation notification: brings the application's last active pop-up
  // forward, then the prompt if it is up, else the lock screen if it is up. Either may be null.
  static void AppDeactivate(TForm* prompt, TForm* lockScreen);

  // The lock screen is the application's main window only in run mode.
  bool RunMode() const;
  bool Armed() const { return armed_; }
  TComponent& Timer() const { return tmrTimer; }

  std::string DisplayLine;
  POINT SavedCursorPos{0, 0};
  bool ClockGrowing = false;
  std::int32_t ClockSize = 400;
  TKeyLockLibrary KeyLockLibrary;
  // The frame renderer: it owns the 3x3 bead bitmap (whose pixels FormShow sets) and the
  // drawing tools kept between frames; made by FormCreate, freed by FormDestroy.
  std::unique_ptr<ClockRenderer> Renderer;

  // The refusal's beep; replaceable so that tests can count it.
  void (*Beep)() = &DefaultBeep;
  static void DefaultBeep();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A failing handler never ends or reports over the lock: the default handling answers.
  LRESULT HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what) override;

 private:
  // The activity filter, the application's message hook while armed: on activity it asks the
  // window to close. It never marks a message handled.
  void AppMessage(MSG& message, bool& handled);
  void BuildDisplayLine();
  void InstallMessageHook();
  // While the lock is held (shown, and not being given up by a granted unlock or the program's
  // end), nothing another program does may hide, shrink, move or bury the window.
  bool Holding() const { return systemTaken_ && !releasing_; }
  // Puts the window back over the whole primary display on top, and the prompt (when it is up)
  // or the lock screen in front with the focus.
  void Recover();
  // The unlock prompt is being asked and its window is shown.
  bool PromptUp() const;
  bool CoversTheScreen() const;
  void KeepCovering(WINDOWPOS& position) const;
  // Asks the prompt when a password is set, decides, takes a left message over, and in run mode
  // asks the system's own screen-saver password; sets beep for a refusal.
  bool AskToUnlock(bool& beep);
  void ShowWindowToHide(bool visible);
  void Refuse(bool beep);
  // The frame the window shows now: the settings, the clock's size and time, the message.
  FrameInput CurrentFrame();
  // Copies to the window what changed since the last frame, each rectangle of the update region
  // on its own; an exposure's or a show's area is part of the update region.
  void FormPaint();

  TComponent& tmrTimer;
  TForm* prompt_ = nullptr;
  AskPrompt askPrompt_;
  HWND windowToHide_ = nullptr;
  bool armed_ = false;       // AppMessage is the application's message hook
  bool systemTaken_ = false;  // between FormShow and FormHide: keys locked, taskbar hidden
  bool asking_ = false;
  bool painting_ = false;
  bool releasing_ = false;   // a granted unlock or the program's end is hiding the window
};

}  // namespace velmora
