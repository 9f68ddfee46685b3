// The lock screen window: covers the primary display, locks the keys, hides the taskbar and the
// pointer, animates the clock and the message, and opens only through the unlock prompt.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "lockscreen/ClockRenderer.h"
#include "lockscreen/SystemServices.h"
#include "ui/Form.h"

namespace velmora {

// The lock screen form, frmVOK.
class TfrmVOK : public TForm {
 public:
  // Builds the hidden window of class "TfrmVOK"; Application must be initialised. The first
  // form created becomes the main window: that is run mode.
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
  // The application's deactivation notification: pulls the prompt, or the lock screen, back to
  // the front. Works whether or not frmVOK exists.
  static void AppDeactivate();

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
  // Steps 2 to 5 of the unlock sequence; sets beep for a refusal.
  bool AskToUnlock(bool& beep);
  void Refuse(bool beep);
  void FormPaint();

  TComponent& tmrTimer;
  bool armed_ = false;       // AppMessage is the application's message hook
  bool systemTaken_ = false;  // between FormShow and FormHide: keys locked, taskbar hidden
  bool asking_ = false;
  bool painting_ = false;
};

// The lock screen; made by start-up in run mode, otherwise by LockScreen.
extern std::unique_ptr<TfrmVOK> frmVOK;

// The lock screen of the configure and install modes, made with its window on first use, so
// that no window of class "TfrmVOK" exists (and a second copy of the program starts normally)
// until the lock screen is first shown. It never becomes the main window.
TfrmVOK& LockScreen();

// The configuration dialog's window, none until that dialog exists. While it is the main window
// the lock screen hides it for the time it is up.
extern HWND ConfigurationDialogWindow;

}  // namespace velmora
