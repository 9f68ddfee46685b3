// The lock screen window: its layout, show and hide, the activity filter, the unlock sequence,
// and the paint and tick handlers.
#include "lockscreen/Main.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/Error.h"
#include "ui/Application.h"
#include "ui/Translate.h"
#include "win/Handles.h"

namespace velmora {
namespace {


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

// Posted at the end of a show: handled once the window is on its way to the screen, before its
// first paint.
constexpr UINT kPrepareFrame = WM_APP + 3;

}  // namespace

// The size is set at every show; black until the settings' background colour is taken.
const ComponentLayout TfrmVOK::kLayout[] = {
    {"frmVOK", ComponentKind::Form, nullptr, 0, 0, 640, 480,
     Props().Caption("").Border(FormBorder::None).StayOnTop().Color(0x00000000).NoKeyboardNavigation()},
    {"tmrTimer", ComponentKind::Timer, "frmVOK", 0, 0, 0, 0,
     Props().TimerDisabled().Bind<&TfrmVOK::tmrTimer>().OnTimer<&TfrmVOK::AnimationFrame>()},
};

TfrmVOK::TfrmVOK(TLockSession& session, TSettingsStore& settings, TRunMode mode)
    : TForm(kLockScreenClassName, kLayout),
      session_(session),
      settings_(settings),
      SavedSettings(settings.SavedSettings),
      MessagePosition(settings.MessagePosition),
      runMode_(mode == TRunMode::Run) {
  BindComponents();
  FormCreate();
  session_.Attach(this);
}

TfrmVOK::~TfrmVOK() {
  // The keys and the taskbar are given back however the program ends, also when the window
  // went with its owner before this object.
  session_.Release();
  try {
    if (Visible()) Hide();
  } catch (...) {
    // GiveBack below gives everything back all the same.
  }
  session_.GiveBack();
  session_.Attach(nullptr);
  FormDestroy();
}

void TfrmVOK::DefaultBeep() { MessageBeep(0); }

void TfrmVOK::FormCreate() {
  ClockSize = kInitialClockSize;
  ClockGrowing = false;
  // No captions: the lock screen is not translated.
  PrepareControls(*Components().front());
  Renderer = std::make_unique<ClockRenderer>();
}

void TfrmVOK::FormShow() {
  Renderer->SetBeadColors(SavedSettings.LightColor, SavedSettings.SurfaceColor, SavedSettings.ShadowColor);
  BuildDisplayLine();
  ClockSize = kInitialClockSize;
  ClockGrowing = false;
  // The held-lock flag, the owner window, the taskbar, the keys, this window over the primary
  // monitor and covers over the others, the pointer, the activity filter and the guard.
  session_.Take();
  // Steps every Speed + 1 ms (10 at least), drawn at most once per refresh of the display.
  pace_ = AnimationPace(velmora::StepInterval(SavedSettings.Speed), FramePeriod(DisplayRefreshRate()));
  tmrTimer->SetInterval(pace_.TimerPeriod());
  StartAnimation();
  Components().front()->SetColor(SavedSettings.BackgroundColor);
  PostMessageA(Handle(), kPrepareFrame, 0, 0);
}

void TfrmVOK::StartAnimation() {
  pace_.Start(SteadyMilliseconds());
  tmrTimer->SetTimerEnabled(true);
}

void TfrmVOK::StopAnimation() { tmrTimer->SetTimerEnabled(false); }

void TfrmVOK::FormHide() {
  tmrTimer->SetTimerEnabled(false);
  session_.GiveBack();
}

void TfrmVOK::FormDestroy() { Renderer.reset(); }

void TfrmVOK::BuildDisplayLine() { DisplayLine = velmora::BuildDisplayLine(SavedSettings.Message); }

bool TfrmVOK::FormCloseQuery() {
  UnlockRules rules;
  rules.password = SavedSettings.Password();
  rules.allowMessages = SavedSettings.AllowMessages != 0;
  rules.message = SavedSettings.Message;
  rules.runMode = RunMode();
  return session_.RequestUnlock(rules);
}

void TfrmVOK::TakeMessage(const PromptAnswer& answer) {
  SavedSettings.Message = answer.memoText;
  BuildDisplayLine();
  SavedSettings.Dirty = answer.permanentTicked ? 1 : 0;
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
  FrameInput input = FrameInputFromSettings(SavedSettings, settings_.FontNames(), RunMode());
  input.backgroundColor = Components().front()->Color();
  input.clockSize = ClockSize;
  input.drawClock = tmrTimer->TimerEnabled();
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
    Advance(1);
  } catch (...) {
    // The next tick tries again; the lock stays up.
  }
}

void TfrmVOK::AnimationFrame() {
  try {
    Advance(pace_.StepsDue(SteadyMilliseconds()));
  } catch (...) {
    // The next frame tries again; the lock stays up.
  }
}

void TfrmVOK::Advance(std::uint64_t steps) {
  if (steps == 0) return;
  const SIZE size = Renderer->MeasureText(DisplayLine, MessageFontFromSettings(SavedSettings, settings_.FontNames()));
  AnimationState state{ClockSize, ClockGrowing, MessagePosition};
  AdvanceAnimation(state, steps, SavedSettings.Speed, size.cx, ClientWidth());
  ClockSize = state.clockSize;
  ClockGrowing = state.clockGrowing;
  MessagePosition = state.messagePosition;
  // Only the clock box and the message band, each as a rectangle of its own.
  RECT client{0, 0, 0, 0};
  GetClientRect(Handle(), &client);
  for (const RECT& area : Renderer->ChangedAreas(client, CurrentFrame())) InvalidateRect(Handle(), &area, FALSE);
}

void TfrmVOK::PrepareFrame() {
  RECT client{0, 0, 0, 0};
  GetClientRect(Handle(), &client);
  Renderer->Prepare(client, CurrentFrame());
}

LRESULT TfrmVOK::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      session_.KeepInPlace(Handle(), *reinterpret_cast<WINDOWPOS*>(lParam));
      return TForm::HandleMessage(message, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
    case WM_SIZE:
      session_.LockScreenMoved();
      return TForm::HandleMessage(message, wParam, lParam);
    case WM_SHOWWINDOW:
      // Hiding is for a granted unlock and the program's end; any other hide is undone.
      if (wParam == FALSE && session_.Holding()) {
        session_.RecoverSoon();
        return 0;
      }
      return TForm::HandleMessage(message, wParam, lParam);
    case WM_DISPLAYCHANGE:
      session_.DisplaysChanged();
      return TForm::HandleMessage(message, wParam, lParam);
    case TLockSession::kRecoverMessage:
      try {
        session_.Recover();
      } catch (...) {
        // The guard tries again.
      }
      return 0;
    case TLockSession::kRaisePromptMessage:
      session_.RaisePrompt();
      return 0;
    case kPrepareFrame:
      try {
        PrepareFrame();
      } catch (...) {
        // The first paint makes what it needs itself.
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
    default:
      return TForm::HandleMessage(message, wParam, lParam);
  }
}

LRESULT TfrmVOK::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char*) {
  return Handle() != nullptr ? DefWindowProcA(Handle(), message, wParam, lParam) : 0;
}

}  // namespace velmora
