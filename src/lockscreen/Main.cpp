// The lock screen window: show and hide, the animation, and the paint and tick handlers.
#include "lockscreen/Main.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/Failures.h"
#include "core/Settings.h"
#include "ui/Application.h"
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
// since the last time, and does so whenever the thread waits. A wait of no time after each
// rectangle of a paint sends the clock box and the message band apart instead of the large
// rectangle enclosing both; on Windows this does nothing. Unlike a look into the queue, the
// wait hands over none of the messages other threads send, so no flood of them can hold the
// paint.
void SendDrawnArea() { MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0); }

// Posted at the end of a show: handled once the window is on its way to the screen, before its
// first paint.
constexpr UINT kPrepareFrame = WM_APP + 3;

constexpr UINT_PTR kAnimationTimer = 1;

RECT PrimaryMonitor() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

// Black until the settings' background colour is taken at the first show.
TfrmVOK::TfrmVOK(TLockSession& session, TSettingsStore& settings, TRunMode mode)
    : TLockSurface(session, Kind::LockScreen, kLockScreenClassName, PrimaryMonitor(), 0x00000000),
      session_(session),
      settings_(settings),
      SavedSettings(settings.SavedSettings),
      MessagePosition(settings.MessagePosition),
      runMode_(mode == TRunMode::Run) {
  FormCreate();
  session_.Attach(this);
}

TfrmVOK::~TfrmVOK() {
  // The keys and the taskbar are given back however the program ends, also when the window
  // went with its owner before this object.
  Contain("hiding the lock screen", [this] { Hide(); });
  session_.GiveBack();
  session_.Attach(nullptr);
  FormDestroy();
}

void TfrmVOK::DefaultBeep() { MessageBeep(0); }

void TfrmVOK::FormCreate() {
  ClockSize = kInitialClockSize;
  ClockGrowing = false;
  Renderer = std::make_unique<ClockRenderer>();
}

void TfrmVOK::FormShow() {
  shown_ = true;
  Renderer->SetBeadColors(SavedSettings.LightColor, SavedSettings.SurfaceColor, SavedSettings.ShadowColor);
  BuildDisplayLine();
  ClockSize = kInitialClockSize;
  ClockGrowing = false;
  // Steps every Speed + 1 ms (10 at least), drawn at most once per refresh of the display.
  pace_ = AnimationPace(velmora::StepInterval(SavedSettings.Speed), FramePeriod(DisplayRefreshRate()));
  SetBackground(SavedSettings.BackgroundColor);
  // The main window, the taskbar, the keys, this window over the primary monitor and covers
  // over the others, the pointer, the activity filter with the animation, and the guard.
  session_.Take();
  PostMessageA(Handle(), kPrepareFrame, 0, 0);
}

void TfrmVOK::FormHide() {
  shown_ = false;
  session_.GiveBack();
}

void TfrmVOK::Show() {
  if (!shown_) FormShow();
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void TfrmVOK::Hide() {
  // Given back first: the hide is then nobody's attack.
  if (shown_) FormHide();
  ShowWindow(Handle(), SW_HIDE);
}

void TfrmVOK::StartAnimation() {
  pace_.Start(SteadyMilliseconds());
  animating_ = true;
  SetTimer(Handle(), kAnimationTimer, pace_.TimerPeriod(), nullptr);
}

void TfrmVOK::StopAnimation() {
  animating_ = false;
  KillTimer(Handle(), kAnimationTimer);
  // The next frame, painted under the prompt, shows no clock.
  Contain("hiding the clock", [this] { InvalidateChanges(); });
}

void TfrmVOK::WindowMade() {
  if (animating_) SetTimer(Handle(), kAnimationTimer, pace_.TimerPeriod(), nullptr);
  // In run mode the lock screen is the main window, made again or not.
  if (runMode_) Application.SetMainWindow(Handle());
}

void TfrmVOK::FormDestroy() { Renderer.reset(); }

int TfrmVOK::ClientWidth() const {
  RECT client{0, 0, 0, 0};
  GetClientRect(Handle(), &client);
  return client.right;
}

void TfrmVOK::BuildDisplayLine() { DisplayLine = velmora::BuildDisplayLine(SavedSettings.Message); }

void TfrmVOK::TakeMessage(const PromptAnswer& answer) {
  SavedSettings.Message = answer.memoText.substr(0, kMaxMessageLength);
  BuildDisplayLine();
  SavedSettings.Dirty = answer.permanentTicked ? 1 : 0;
}

void TfrmVOK::AppDeactivate() {
  Contain("taking the focus back", [this] {
    const HWND application = Application.Handle();
    const HWND popup = application != nullptr ? GetLastActivePopup(application) : nullptr;
    if (popup != nullptr && popup != application && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
      SetForegroundWindow(popup);
    }
    if (session_.Holding()) {
      session_.Recover();
    } else if (Visible()) {
      SetForegroundWindow(Handle());
    }
  });
}

FrameInput TfrmVOK::CurrentFrame() {
  FrameInput input = FrameInputFromSettings(SavedSettings, settings_.FontNames(), RunMode());
  input.backgroundColor = Background();
  input.clockSize = ClockSize;
  input.drawClock = animating_;
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
  if (!Contain("finding what to paint", [&] {
        input = CurrentFrame();
        // Whatever changed since the last frame joins the area the system asks for, so that the
        // window always ends up showing the whole of this frame.
        for (const RECT& area : Renderer->ChangedAreas(client, input)) InvalidateRect(Handle(), &area, FALSE);
        areas = UpdateRectangles(Handle());
      })) {
    InvalidateRect(Handle(), nullptr, FALSE);
    areas.assign(1, client);
  }
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  if (dc == nullptr) return;
  if (!painting_) {
    painting_ = true;
    if (areas.empty()) areas.push_back(paint.rcPaint);
    if (!Contain("painting the lock screen", [&] {
          Renderer->PaintAreas(dc, client, input, areas, [] { SendDrawnArea(); });
        })) {
      // Still locked: the area is covered with black rather than left showing what lies below.
      FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    painting_ = false;
  }
  EndPaint(Handle(), &paint);
}

void TfrmVOK::AnimationFrame() { Contain("a frame", [this] { Advance(pace_.StepsDue(SteadyMilliseconds())); }); }

void TfrmVOK::Advance(std::uint64_t steps) {
  if (steps == 0) return;
  const SIZE size = Renderer->MeasureText(DisplayLine, MessageFontFromSettings(SavedSettings, settings_.FontNames()));
  AnimationState state{ClockSize, ClockGrowing, MessagePosition};
  AdvanceAnimation(state, steps, SavedSettings.Speed, size.cx, ClientWidth());
  ClockSize = state.clockSize;
  ClockGrowing = state.clockGrowing;
  MessagePosition = state.messagePosition;
  InvalidateChanges();
}

void TfrmVOK::InvalidateChanges() {
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

LRESULT TfrmVOK::OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      // The message loop shows the main window: the lock is taken on its way up.
      if (wParam != FALSE && lParam == 0 && !shown_ && !win::FromElsewhere()) FormShow();
      return DefWindowProcA(Handle(), message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kAnimationTimer && animating_) AnimationFrame();
      return 0;
    case kPrepareFrame:
      // Without it the first paint makes what it needs itself.
      Contain("preparing the first frame", [this] { PrepareFrame(); });
      return 0;
    case WM_ERASEBKGND:
      // Paints copy from the kept off-screen frame; nothing is ever erased.
      return 1;
    case WM_PAINT:
      FormPaint();
      return 0;
    default:
      return TLockSurface::OwnMessage(message, wParam, lParam);
  }
}

}  // namespace velmora
