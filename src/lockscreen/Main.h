// The lock screen: the lock's surface on the primary monitor. While it is shown it holds the lock
// session (the keys, the taskbar, covers on the other monitors, the guard), animates the clock and
// the message, and opens only through the session's unlock sequence.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "core/AnimationPace.h"
#include "core/CommandLine.h"
#include "core/LockRules.h"
#include "core/win/SettingsStore.h"
#include "lockscreen/ClockRenderer.h"
#include "lockscreen/Session.h"
#include "lockscreen/Surface.h"

namespace velmora {

// The class of the lock screen window: while a window of this class of this program exists, the
// preview stops and no second copy of the program starts.
constexpr char kLockScreenClassName[] = "TfrmVOK";

// The lock screen form, frmVOK.
class TfrmVOK : public TLockSurface {
 public:
  // Builds the hidden, maximised window of class "TfrmVOK"; Application must be initialised.
  // `mode` is the program's: in run mode an unlock also asks the system's own password check,
  // and a kept message is highlighted. The lock screen reads the settings and writes the
  // message, Dirty and MessagePosition into `settings`; `session` and `settings` must outlive it.
  TfrmVOK(TLockSession& session, TSettingsStore& settings, TRunMode mode);
  ~TfrmVOK() override;

  void FormCreate();
  // Takes the lock and starts the animation; runs once per show, however the window is shown.
  void FormShow();
  // Gives the lock back.
  void FormHide();
  void FormDestroy();
  // Shows the lock screen in front of everything: FormShow takes the lock first.
  void Show();
  // Hides it and gives the lock back: for a granted unlock and the program's end.
  void Hide();
  bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }
  bool Shown() const { return shown_; }

  // Moves the animation on by `steps` steps (the clock pulses and the message moves one pixel
  // each) and marks what changed for painting.
  void Advance(std::uint64_t steps);
  // The animation timer: the steps due since the last frame, drawn as one frame.
  void AnimationFrame();
  // The clock stops while the prompt is up; it starts again, counting its steps from now.
  void StartAnimation();
  void StopAnimation();
  bool Animating() const { return animating_; }
  // The time between two steps, Speed + 1 ms and 10 at least, and the timer's period.
  unsigned StepInterval() const { return pace_.Interval(); }
  unsigned TimerInterval() const { return pace_.TimerPeriod(); }
  // Draws one whole frame of the client area into `dc`: the clock while the animation runs, and
  // the message.
  void PaintContent(HDC dc, const RECT& client);
  TLockSession& Session() const { return session_; }
  // A message left in the prompt becomes the lock's message (at most kMaxMessageLength
  // characters); Dirty follows the keep box.
  void TakeMessage(const PromptAnswer& answer);

  // The application's deactivation notification: brings the application's last active pop-up
  // forward, then the prompt if it is up, else the lock screen if it is up.
  void AppDeactivate();

  bool RunMode() const { return runMode_; }
  // Held and armed: activity asks for the password.
  bool Armed() const { return session_.Phase() == LockPhase::Held; }
  int ClientWidth() const;

  std::string DisplayLine;
  bool ClockGrowing = false;
  std::int32_t ClockSize = 400;
  // The frame renderer: it owns the 3x3 bead bitmap (whose pixels FormShow sets) and the
  // drawing tools kept between frames; made by FormCreate, freed by FormDestroy.
  std::unique_ptr<ClockRenderer> Renderer;

  // The refusal's beep; replaceable so that tests can count it.
  void (*Beep)() = &DefaultBeep;
  static void DefaultBeep();

 protected:
  LRESULT OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A lock screen made again runs its animation timer again.
  void WindowMade() override;

 private:
  void BuildDisplayLine();
  // Marks what the frame of now changes against the last one painted.
  void InvalidateChanges();
  // Readies the off-screen frame while the window is being shown, so that its first paint only
  // copies it.
  void PrepareFrame();
  // The frame the window shows now: the settings, the clock's size and time, the message.
  FrameInput CurrentFrame();
  // Copies to the window what changed since the last frame, each rectangle of the update region
  // on its own; an exposure's or a show's area is part of the update region.
  void FormPaint();

  TLockSession& session_;
  TSettingsStore& settings_;
  // The store's record and message position.
  TSavedSettings& SavedSettings;
  std::int32_t& MessagePosition;
  const bool runMode_;
  AnimationPace pace_{1, 1};
  bool animating_ = false;
  bool shown_ = false;
  bool painting_ = false;
};

}  // namespace velmora
