// The lock screen window: the lock's surface on the primary monitor. It takes the lock session
// (the keys, the taskbar, covers on the other monitors, the guard) while it is shown, animates
// the clock and the message, and opens only through the session's unlock sequence.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/AnimationPace.h"
#include "core/CommandLine.h"
#include "core/LockRules.h"
#include "core/win/SettingsStore.h"
#include "lockscreen/ClockRenderer.h"
#include "lockscreen/Session.h"
#include "lockscreen/SystemServices.h"
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

// The class of the lock screen window: while a window of this class exists anywhere, the
// preview stops and no second copy of the program starts.
constexpr char kLockScreenClassName[] = "TfrmVOK";

// The lock screen form, frmVOK.
class TfrmVOK : public TForm {
 public:
  using AskPrompt = TLockSession::AskPrompt;

  // Builds the hidden window of class "TfrmVOK"; Application must be initialised. `mode` is the
  // program's: in run mode an unlock also asks the system's own password check, and a kept
  // message is highlighted. The lock screen reads the settings and writes the message, Dirty
  // and MessagePosition into `settings`; `session` and `settings` must outlive it.
  TfrmVOK(TLockSession& session, TSettingsStore& settings, TRunMode mode);
  ~TfrmVOK() override;

  void FormCreate();
  void FormShow() override;
  void FormHide() override;
  void FormDestroy();
  // The session's unlock sequence. Returns true (the window may close) only for a granted
  // unlock; a refusal, or a failure while asking, leaves the lock screen armed again.
  bool FormCloseQuery() override;
  // One tick of the animation: the clock pulses and the message moves one step.
  void tmrTimerTimer();
  // The animation timer: the steps due since the last frame, drawn as one frame.
  void AnimationFrame();
  // The clock stops while the prompt is up; it starts again, counting its steps from now.
  void StartAnimation();
  void StopAnimation();
  // The time between two steps, Speed + 1 ms and 10 at least.
  unsigned StepInterval() const { return pace_.Interval(); }
  // Draws one whole frame of the client area into `dc`: the clock while tmrTimer runs, and the
  // message.
  void PaintContent(HDC dc, const RECT& client);
  // The unlock prompt: its window (kept in front of the lock screen while it is up) and how to
  // ask it. Without one, a close request with a password set is refused.
  void SetUnlockPrompt(TForm* prompt, AskPrompt ask) {
    session_.SetUnlockPrompt([prompt] { return prompt; }, std::move(ask));
  }
  void SetWindowToHide(HWND window) { session_.SetWindowToHide(window); }
  TLockSession& Session() const { return session_; }
  // A message left in the prompt becomes the lock's message; Dirty follows the keep box.
  void TakeMessage(const PromptAnswer& answer);

  // The application's deactivation notification: brings the application's last active pop-up
  // forward, then the prompt if it is up, else the lock screen if it is up. Either may be null.
  static void AppDeactivate(TForm* prompt, TForm* lockScreen);

  bool RunMode() const { return runMode_; }
  bool Armed() const { return session_.Armed(); }
  TTimer& Timer() const { return *tmrTimer; }

  std::string DisplayLine;
  bool ClockGrowing = false;
  std::int32_t ClockSize = 400;
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
  void BuildDisplayLine();
  void Advance(std::uint64_t steps);
  // Readies the off-screen frame while the window is being shown, so that its first paint only
  // copies it.
  void PrepareFrame();
  // The frame the window shows now: the settings, the clock's size and time, the message.
  FrameInput CurrentFrame();
  // Copies to the window what changed since the last frame, each rectangle of the update region
  // on its own; an exposure's or a show's area is part of the update region.
  void FormPaint();

  static const ComponentLayout kLayout[];

  TLockSession& session_;
  TSettingsStore& settings_;
  // The store's record and message position.
  TSavedSettings& SavedSettings;
  std::int32_t& MessagePosition;
  const bool runMode_;
  TTimer* tmrTimer = nullptr;
  AnimationPace pace_{1, 1};
  bool painting_ = false;
};

}  // namespace velmora
