// The lock screen window: its layout, show and hide, the activity filter, the unlock sequence,
// and the paint and tick handlers.
#include "lockscreen/Main.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/Error.h"
#include "core/Settings.h"
#include "ui/Application.h"
#include "ui/Translate.h"
#include "win/Handles.h"

namespace velmora {
namespace {

// The size is set at every show; black until the settings' background colour is taken.
constexpr ComponentLayout kVOKLayout[] = {
    {"frmVOK", ComponentKind::Form, nullptr, 0, 0, 640, 480,
     Props().Caption("").Border(FormBorder::None).StayOnTop().Color(0x00000000).NoKeyboardNavigation()},
    {"tmrTimer", ComponentKind::Timer, "frmVOK", 0, 0, 0, 0, Props().TimerDisabled()},
};

constexpr DWORD kRefusalPause = 400;
constexpr UINT kRaisePrompt = WM_APP + 1;
constexpr UINT kRecover = WM_APP + 2;
// The guard timer checks, while the lock is held, that the lock screen (or the prompt) still
// has the top and the focus; its identifier lies below those of the components' timers.
constexpr UINT_PTR kGuardTimer = 1;
constexpr UINT kGuardInterval = 100;

// Speed + 1 ms. The dialog offers Speed 0 to 50; a stored value outside that range (damaged, or
// written by something else) animates at the nearest end instead of never or overflowing.
// The rectangles of the window's update region, in client coordinates; none when it is empty.
std::vector<RECT> UpdateRectangles(HWND window) {
  win::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  if (!region || GetUpdateRgn(window, region.get(), FALSE) <= NULLREGION) return {};
  const DWORD bytes = GetRegionData(region.get(), 0, nullptr);
  if (bytes < sizeof(RGNDATAHEADER)) return {};
  std::vector<std::uint8_t> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(region.get(), bytes, data) != bytes) return {};
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

// Wine sends a window's surface to the screen as one rectangle enclosing everything drawn on it
// since the last time, and does so when the thread looks for a message and finds none. Looking
// for one that is never posted after each rectangle of a paint sends the clock box and the
// message band apart instead of the large rectangle enclosing both; on Windows this does nothing.
constexpr UINT kNeverPosted = WM_APP + 0x3FFF;
void SendDrawnArea(HWND window) {
  MSG message;
  PeekMessageA(&message, window, kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

unsigned AnimationInterval(std::int32_t speed) {
  return static_cast<unsigned>(std::clamp<std::int32_t>(speed, 0, kSteadySpeed)) + 1;
}

}  // namespace

TfrmVOK::TfrmVOK() : TForm(kLockScreenClassName, kVOKLayout), tmrTimer(Component("tmrTimer")) {
  Bind("tmrTimer", EventKind::Timer, &TfrmVOK::tmrTimerTimer);
  FormCreate();
}

TfrmVOK::~TfrmVOK() {
  // The keys and the taskbar are given back however the program ends, also when the window
  // went with its owner before this object.
  releasing_ = true;
  try {
    if (Visible()) Hide();
    if (systemTaken_) FormHide();
  } catch (...) {
    Application.ClearMessageHook();
    ShowTaskbar(true);
  }
  FormDestroy();
}

void TfrmVOK::DefaultBeep() { MessageBeep(0); }

void TfrmVOK::SetUnlockPrompt(TForm* prompt, AskPrompt ask) {
  prompt_ = prompt;
  askPrompt_ = std::move(ask);
}

void TfrmVOK::ShowWindowToHide(bool visible) {
  if (windowToHide_ != nullptr && Application.MainWindow() == windowToHide_) {
    ShowWindow(windowToHide_, visible ? SW_SHOW : SW_HIDE);
  }
}

bool TfrmVOK::RunMode() const { return Handle() != nullptr && Application.MainWindow() == Handle(); }

void TfrmVOK::FormCreate() {
  KeyLockLibrary.Unload();
  ClockSize = kInitialClockSize;
  ClockGrowing = false;
  // No captions: the lock screen is not translated.
  PrepareControls(*Components().front());
  Renderer = std::make_unique<ClockRenderer>();
}

void TfrmVOK::FormShow() {
  systemTaken_ = true;
  releasing_ = false;
  Application.SetLockHeld(true);
  Renderer->SetBeadColors(SavedSettings.LightColor, SavedSettings.SurfaceColor, SavedSettings.ShadowColor);
  ShowWindowToHide(false);
  ShowTaskbar(false);
  BuildDisplayLine();
  if (KeyLockLibrary.Load()) {
    Application.ProcessMessages();
    KeyLockLibrary.LockKeys(Handle());
  }
  ClockSize = kInitialClockSize;
  ClockGrowing = false;
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOACTIVATE);
  GetCursorPos(&SavedCursorPos);
  InstallMessageHook();
  tmrTimer.SetInterval(AnimationInterval(SavedSettings.Speed));
  tmrTimer.SetTimerEnabled(true);
  Components().front()->SetColor(SavedSettings.BackgroundColor);
  SetTimer(Handle(), kGuardTimer, kGuardInterval, nullptr);
}

void TfrmVOK::FormHide() {
  KillTimer(Handle(), kGuardTimer);
  Application.ClearMessageHook();
  armed_ = false;
  tmrTimer.SetTimerEnabled(false);
  if (KeyLockLibrary.Loaded()) {
    KeyLockLibrary.UnlockKeys();
    Application.ProcessMessages();
    KeyLockLibrary.Unload();
  }
  ShowTaskbar(true);
  systemTaken_ = false;
  releasing_ = false;
  Application.SetLockHeld(false);
  ShowWindowToHide(true);
}

void TfrmVOK::FormDestroy() { Renderer.reset(); }

void TfrmVOK::InstallMessageHook() {
  Application.SetMessageHook([this](MSG& message, bool& handled) { AppMessage(message, handled); });
  armed_ = true;
}

void TfrmVOK::AppMessage(MSG& message, bool&) {
  if (!armed_) return;
  if (!CountsAsActivity(message.message, static_cast<std::uint64_t>(message.lParam), SavedCursorPos.x,
                        SavedCursorPos.y)) {
    return;
  }
  try {
    Close();
  } catch (...) {
    // Whatever failed, the lock stays up and armed.
    if (systemTaken_ && !armed_) {
      tmrTimer.SetTimerEnabled(true);
      InstallMessageHook();
    }
  }
}

void TfrmVOK::BuildDisplayLine() { DisplayLine = velmora::BuildDisplayLine(SavedSettings.Message); }

bool TfrmVOK::FormCloseQuery() {
  // A hidden lock screen has nothing to unlock; a request while one is being answered waits
  // for that answer.
  if (!systemTaken_) return true;
  if (asking_) return false;
  asking_ = true;
  struct AskingEnds {
    bool& asking;
    ~AskingEnds() { asking = false; }
  } askingEnds{asking_};
  tmrTimer.SetTimerEnabled(false);
  Application.ClearMessageHook();
  armed_ = false;
  bool beep = true;
  bool granted = false;
  try {
    granted = AskToUnlock(beep);
  } catch (...) {
    granted = false;
  }
  if (!granted) Refuse(beep);
  // The window may now be hidden: FormHide gives the lock up.
  releasing_ = granted;
  return granted;
}

bool TfrmVOK::AskToUnlock(bool& beep) {
  const std::string password = SavedSettings.Password();
  PromptAnswer answer;
  if (!password.empty()) {
    if (prompt_ == nullptr || !askPrompt_) throw Error("The unlock prompt does not exist.");
    // The lock screen took the top of the always-on-top windows when it was shown; the prompt
    // is put in front of it before it shows and again once it is up, whatever its showing and
    // activation did to the order.
    SetWindowPos(prompt_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PostMessageA(Handle(), kRaisePrompt, 0, 0);
    answer = askPrompt_();
  }
  const UnlockDecision decision =
      DecideUnlock(password, SavedSettings.AllowMessages != 0, SavedSettings.Message, answer);
  beep = decision.beep;
  if (decision.takeMessage) {
    SavedSettings.Message = answer.memoText;
    BuildDisplayLine();
    SavedSettings.Dirty = answer.permanentTicked ? 1 : 0;
  }
  bool granted = decision.granted;
  if (granted && RunMode()) granted = VerifySystemPassword(Handle());
  return granted;
}

void TfrmVOK::Refuse(bool beep) {
  try {
    if (beep && Beep != nullptr) Beep();
    BringToFront();
    Application.ProcessMessages();
    Sleep(kRefusalPause);
  } catch (...) {
    // Re-arming below is what matters.
  }
  if (!systemTaken_) return;
  tmrTimer.SetTimerEnabled(true);
  try {
    SetCursorPos(SavedCursorPos.x, SavedCursorPos.y);
    Application.ProcessMessages();
  } catch (...) {
    // As above: the hook goes back in whatever happened here.
  }
  // Last, so that the messages of putting the pointer back are not taken as activity.
  if (systemTaken_) InstallMessageHook();
}

void TfrmVOK::AppDeactivate(TForm* prompt, TForm* lockScreen) {
  try {
    const HWND application = Application.Handle();
    const HWND popup = application != nullptr ? GetLastActivePopup(application) : nullptr;
    if (popup != nullptr && popup != application && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
      SetForegroundWindow(popup);
    }
    if (prompt != nullptr && prompt->Visible()) {
      prompt->BringToFront();
    } else if (lockScreen != nullptr && lockScreen->Visible()) {
      lockScreen->BringToFront();
    }
  } catch (...) {
    // Nothing to undo: the windows stay where they are.
  }
}

FrameInput TfrmVOK::CurrentFrame() {
  FrameInput input = FrameInputFromSettings(SavedSettings, FontNames, RunMode());
  input.backgroundColor = Components().front()->Color();
  input.clockSize = ClockSize;
  input.drawClock = tmrTimer.TimerEnabled();
  SYSTEMTIME now;
  GetLocalTime(&now);
  input.hour = now.wHour;
  input.minute = now.wMinute;
  input.second = now.wSecond;
  input.displayLine = DisplayLine;
  input.messagePosition = MessagePosition;
  return input;
}

void TfrmVOK::PaintContent(HDC dc, const RECT& client) { Renderer->PaintContent(dc, client, CurrentFrame()); }

void TfrmVOK::FormPaint() {
  RECT client{0, 0, 0, 0};
  GetClientRect(Handle(), &client);
  FrameInput input;
  std::vector<RECT> areas;
  try {
    input = CurrentFrame();
    // Whatever changed since the last frame joins the area the system asks for, so that the
    // window always ends up showing the whole of this frame.
    for (const RECT& area : Renderer->ChangedAreas(client, input)) InvalidateRect(Handle(), &area, FALSE);
    areas = UpdateRectangles(Handle());
  } catch (...) {
    InvalidateRect(Handle(), nullptr, FALSE);
    areas.assign(1, client);
  }
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  if (dc == nullptr) return;
  if (!painting_) {
    painting_ = true;
    try {
      if (areas.empty()) areas.push_back(paint.rcPaint);
      Renderer->PaintAreas(dc, client, input, areas, [this] { SendDrawnArea(Handle()); });
    } catch (...) {
      // Still locked: the area is covered with black rather than left showing what lies below.
      FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    painting_ = false;
  }
  EndPaint(Handle(), &paint);
}

void TfrmVOK::tmrTimerTimer() {
  try {
    AdvanceClockPulse(ClockSize, ClockGrowing, SavedSettings.Speed);
    const SIZE size = Renderer->MeasureText(DisplayLine, MessageFontFromSettings(SavedSettings, FontNames));
    MessagePosition = AdvanceMessagePosition(MessagePosition, size.cx, ClientWidth());
    // Only the clock box and the message band, each as a rectangle of its own.
    RECT client{0, 0, 0, 0};
    GetClientRect(Handle(), &client);
    for (const RECT& area : Renderer->ChangedAreas(client, CurrentFrame())) InvalidateRect(Handle(), &area, FALSE);
  } catch (...) {
    // The next tick tries again; the lock stays up.
  }
}

bool TfrmVOK::CoversTheScreen() const {
  RECT bounds{0, 0, 0, 0};
  GetWindowRect(Handle(), &bounds);
  return IsWindowVisible(Handle()) && !IsIconic(Handle()) && bounds.left <= 0 && bounds.top <= 0 &&
         bounds.right >= GetSystemMetrics(SM_CXSCREEN) && bounds.bottom >= GetSystemMetrics(SM_CYSCREEN) &&
         (GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void TfrmVOK::KeepCovering(WINDOWPOS& position) const {
  position.flags &= ~static_cast<UINT>(SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
  position.x = 0;
  position.y = 0;
  position.cx = GetSystemMetrics(SM_CXSCREEN);
  position.cy = GetSystemMetrics(SM_CYSCREEN);
  // While the prompt is up the lock screen stands right under it; otherwise nothing may go over
  // it.
  if ((position.flags & SWP_NOZORDER) == 0) {
    if (!asking_) {
      position.hwndInsertAfter = HWND_TOPMOST;
    } else if (PromptUp()) {
      position.hwndInsertAfter = prompt_->Handle();
    }
  }
}

bool TfrmVOK::PromptUp() const { return asking_ && prompt_ != nullptr && prompt_->Visible(); }

void TfrmVOK::Recover() {
  if (!Holding()) return;
  if (IsIconic(Handle()) || !IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (PromptUp()) {
    // The prompt goes on top first and the lock screen right under it, so that the lock screen
    // never passes over the prompt, not even between two calls.
    SetWindowPos(prompt_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Handle(), prompt_->Handle(), 0, 0, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (GetForegroundWindow() != prompt_->Handle()) prompt_->BringToFront();
    return;
  }
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (!asking_ && GetForegroundWindow() != Handle()) BringToFront();
}

LRESULT TfrmVOK::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      if (Holding()) KeepCovering(*reinterpret_cast<WINDOWPOS*>(lParam));
      return TForm::HandleMessage(message, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
    case WM_SIZE:
      if (Holding() && !CoversTheScreen()) PostMessageA(Handle(), kRecover, 0, 0);
      return TForm::HandleMessage(message, wParam, lParam);
    case WM_SHOWWINDOW:
      // Hiding is for a granted unlock and the program's end; any other hide is undone.
      if (wParam == FALSE && Holding()) {
        PostMessageA(Handle(), kRecover, 0, 0);
        return 0;
      }
      return TForm::HandleMessage(message, wParam, lParam);
    case WM_TIMER:
      if (wParam != kGuardTimer) return TForm::HandleMessage(message, wParam, lParam);
      [[fallthrough]];
    case kRecover:
      try {
        Recover();
      } catch (...) {
        // The guard timer tries again.
      }
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_ERASEBKGND:
      // Paints copy from the kept off-screen frame; nothing is ever erased.
      return 1;
    case WM_PAINT:
      FormPaint();
      return 0;
    case kRaisePrompt:
      if (prompt_ != nullptr && prompt_->Visible()) {
        SetWindowPos(prompt_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      return 0;
    default:
      return TForm::HandleMessage(message, wParam, lParam);
  }
}

LRESULT TfrmVOK::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char*) {
  return Handle() != nullptr ? DefWindowProcA(Handle(), message, wParam, lParam) : 0;
}

}  // namespace velmora
