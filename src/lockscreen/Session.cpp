#include "lockscreen/Session.h"

#include <commctrl.h>

#include <algorithm>

#include "core/Error.h"
#include "core/Failures.h"
#include "core/MonitorLayout.h"
#include "lockscreen/Main.h"
#include "ui/Application.h"
#include "win/WindowState.h"

namespace velmora {
namespace {

// The guard's look when nothing announced a change; the system's notifications and the lock's
// own windows ask for one at once in between.
constexpr unsigned kGuardInterval = 100;
// At most this many top-level windows are looked at above the lock's own.
constexpr int kMostWindowsAbove = 4096;
constexpr UINT_PTR kKeepPromptId = 7;
// Not "TfrmVOK": copies of the program and the preview look for exactly one lock screen.
constexpr char kCoverClassName[] = "TVelmoraCover";
// The session whose guard and pause run; one lock is held at a time.
TLockSession* guardedSession = nullptr;

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM data) {
  reinterpret_cast<std::vector<Box>*>(data)->push_back(Box{bounds->left, bounds->top, bounds->right, bounds->bottom});
  return TRUE;
}

std::vector<Box> SystemMonitors() {
  std::vector<Box> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

RECT ToRect(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }
Box ToBox(const RECT& rect) { return Box{rect.left, rect.top, rect.right, rect.bottom}; }

bool Within(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// `upper` stands above `lower` among the top-level windows.
bool Above(HWND upper, HWND lower) {
  int steps = 0;
  for (HWND window = GetWindow(lower, GW_HWNDPREV); window != nullptr && ++steps < kMostWindowsAbove;
       window = GetWindow(window, GW_HWNDPREV)) {
    if (window == upper) return true;
  }
  return false;
}

bool OtherProgramShows(HWND window) {
  DWORD process = 0;
  return IsWindowVisible(window) && GetWindowThreadProcessId(window, &process) != 0 &&
         process != GetCurrentProcessId();
}

}  // namespace

TLockSession::TLockSession(const TSavedSettings& settings) : settings_(settings), monitors_(&SystemMonitors) {}

TLockSession::~TLockSession() { core_.GiveBack(); }

HWND TLockSession::LockWindow() const { return lockScreen_ != nullptr ? lockScreen_->Handle() : nullptr; }

RECT TLockSession::PrimaryBounds() const {
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<Box> TLockSession::CoverLayout() const { return CoverBoxes(monitors_(), ToBox(PrimaryBounds())); }

LockArrangement TLockSession::Arrangement() const {
  if (lockScreen_ == nullptr) return LockArrangement();
  return ArrangeLock(core_.Phase(), core_.PromptOpen(), ToBox(PrimaryBounds()), coverLayout_, ToBox(promptBounds_));
}

// The steps the session takes and gives back.

void TLockSession::HideMainWindow(bool hidden) {
  if (windowToHide_ != nullptr && Application.MainWindow() == windowToHide_) {
    ShowWindow(windowToHide_, hidden ? SW_HIDE : SW_SHOW);
  }
}

void TLockSession::HideTaskbar(bool hidden) { ShowTaskbar(!hidden); }

void TLockSession::LockKeys() {
  if (keyLockLibrary_.Load()) keyLockLibrary_.LockKeys(LockWindow());
}

void TLockSession::UnlockKeys() {
  if (!keyLockLibrary_.Loaded()) return;
  keyLockLibrary_.UnlockKeys();
  keyLockLibrary_.Unload();
}

void TLockSession::CoverMonitors() {
  const win::OwnChange own;
  const RECT primary = PrimaryBounds();
  SetWindowPos(LockWindow(), HWND_TOPMOST, primary.left, primary.top, primary.right - primary.left,
               primary.bottom - primary.top, SWP_NOACTIVATE);
  FollowMonitors();
}

void TLockSession::UncoverMonitors() {
  covers_.clear();
  coverLayout_.clear();
}

void TLockSession::FollowMonitors() {
  const std::vector<Box> layout = CoverLayout();
  const bool whole = std::all_of(covers_.begin(), covers_.end(),
                                 [](const auto& cover) { return cover != nullptr && cover->Alive(); });
  if (whole && layout == coverLayout_ && covers_.size() == layout.size()) return;
  covers_.clear();
  coverLayout_ = layout;
  HWND above = LockWindow() != nullptr ? LockWindow() : HWND_TOPMOST;
  for (const Box& box : layout) {
    std::unique_ptr<TLockSurface> cover;
    Contain("covering a monitor", [&] {
      cover = std::make_unique<TLockSurface>(*this, TLockSurface::Kind::Cover, kCoverClassName, ToRect(box),
                                             settings_.BackgroundColor);
      SetWindowPos(cover->Handle(), above, box.left, box.top, box.right - box.left, box.bottom - box.top,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
      cover->PaintNow();
      above = cover->Handle();
    });
    // A cover that failed leaves its place empty; the guard tries again.
    covers_.push_back(std::move(cover));
  }
}

void TLockSession::SavePointer() { GetCursorPos(&savedCursorPos_); }

void TLockSession::RestorePointer() { SetCursorPos(savedCursorPos_.x, savedCursorPos_.y); }

void TLockSession::Arm() {
  Application.SetMessageHook([this](MSG& message, bool& handled) { AppMessage(message, handled); });
}

void TLockSession::Disarm() { Application.ClearMessageHook(); }

void TLockSession::StartAnimation() {
  if (lockScreen_ != nullptr) lockScreen_->StartAnimation();
}

void TLockSession::StopAnimation() {
  if (lockScreen_ != nullptr) lockScreen_->StopAnimation();
}

void TLockSession::StartGuard() {
  guardedSession = this;
  guardLooks_ = 0;
  Application.SetWatch([this] { Guard(); }, kGuardInterval);
  // Where the system announces a window shown, reordered or taking the focus or the foreground,
  // the guard looks at once (under Wine only the focus is announced).
  const DWORD ranges[][2] = {{EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
                             {EVENT_OBJECT_SHOW, EVENT_OBJECT_FOCUS}};
  for (const auto& range : ranges) {
    const HWINEVENTHOOK hook = SetWinEventHook(range[0], range[1], nullptr, &WindowEvent, 0, 0,
                                               WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (hook != nullptr) eventHooks_.push_back(hook);
  }
}

void TLockSession::StopGuard() {
  for (const HWINEVENTHOOK hook : eventHooks_) UnhookWinEvent(hook);
  eventHooks_.clear();
  Application.SetWatch(nullptr, 0);
  if (guardedSession == this) guardedSession = nullptr;
}

void CALLBACK TLockSession::WindowEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  if (guardedSession != nullptr) Application.WatchNow();
}

// The unlock sequence's steps.

UnlockRules TLockSession::Rules() {
  UnlockRules rules;
  rules.password = settings_.Password();
  rules.allowMessages = settings_.AllowMessages != 0;
  rules.message = settings_.Message;
  rules.runMode = lockScreen_ != nullptr && lockScreen_->RunMode();
  return rules;
}

void TLockSession::OpenPrompt() {
  if (!promptMaker_) throw Error("There is no unlock prompt.");
  prompt_ = promptMaker_();
  try {
    ShowPrompt();
  } catch (...) {
    // A prompt that could not be shown goes, whatever of it was shown.
    ClosePrompt();
    throw;
  }
}

void TLockSession::ShowPrompt() {
  TForm* shown = prompt_.form.get();
  SetWindowSubclass(shown->Handle(), &KeepPrompt, kKeepPromptId, reinterpret_cast<DWORD_PTR>(this));
  shown->BeginModal(LockWindow(), [this, shown](int) {
    // Only the answer of the prompt of this ask counts.
    if (prompt_.form.get() != shown) return;
    core_.Answered(prompt_.answer ? prompt_.answer() : PromptAnswer());
  });
  GetWindowRect(shown->Handle(), &promptBounds_);
  const win::OwnChange own;
  SetWindowPos(shown->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  shown->BringToFront();
}

void TLockSession::ClosePrompt() {
  if (!prompt_.form) return;
  if (prompt_.wipe) Contain("wiping the password", prompt_.wipe);
  const HWND window = prompt_.form->Handle();
  RemoveWindowSubclass(window, &KeepPrompt, kKeepPromptId);
  const win::OwnChange own;
  // One that another program carried off into a window of its own is left there.
  if (IsWindow(window) && GetAncestor(window, GA_PARENT) == GetDesktopWindow()) ShowWindow(window, SW_HIDE);
  DiscardPrompt();
}

void TLockSession::DiscardPrompt() {
  // Its handler may be running now (the OK button ends the ask): the form goes afterwards.
  const std::shared_ptr<TForm> form(std::move(prompt_.form));
  prompt_ = UnlockPrompt();
  Application.Defer([form] {});
}

void TLockSession::RemakePrompt() {
  ClosePrompt();
  if (Contain("making the prompt again", [this] {
        prompt_ = promptMaker_();
        ShowPrompt();
      })) {
    return;
  }
  // Without a prompt this ask ends as a refusal; the next activity tries again.
  core_.Answered(PromptAnswer());
}

void TLockSession::TakeMessage(const PromptAnswer& answer) {
  if (lockScreen_ != nullptr) lockScreen_->TakeMessage(answer);
}

bool TLockSession::SystemAllows() { return VerifySystemPassword(LockWindow()); }

void TLockSession::Beep() {
  if (lockScreen_ != nullptr && lockScreen_->Beep != nullptr) lockScreen_->Beep();
}

void TLockSession::FocusLock() {
  SetForegroundWindow(LockWindow());
  SetFocus(LockWindow());
}

void TLockSession::StartPause(unsigned milliseconds) {
  StopPause();
  guardedSession = this;
  pauseTimer_ = SetTimer(nullptr, 0, milliseconds, &PauseTick);
  if (pauseTimer_ == 0) throw Error("Cannot start the pause after a refusal.");
}

void TLockSession::StopPause() {
  if (pauseTimer_ != 0) KillTimer(nullptr, pauseTimer_);
  pauseTimer_ = 0;
}

void CALLBACK TLockSession::PauseTick(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  TLockSession* session = guardedSession;
  if (session == nullptr || session->pauseTimer_ != timer) return;
  session->pauseTimer_ = 0;
  session->core_.PauseEnded();
}

void TLockSession::Unlock() {
  core_.GiveBack();
  if (lockScreen_ != nullptr) lockScreen_->Hide();
}

// Activity and the guard.

void TLockSession::AppMessage(MSG& message, bool&) {
  if (core_.Phase() != LockPhase::Held) return;
  // A pointer message carries the position in the client area of its window, which starts at
  // its monitor's corner.
  POINT origin{0, 0};
  if (const TLockSurface* surface = SurfaceOf(message.hwnd)) {
    origin = POINT{surface->Bounds().left, surface->Bounds().top};
  }
  if (CountsAsActivity(message.message, static_cast<std::uint64_t>(message.lParam), savedCursorPos_.x - origin.x,
                       savedCursorPos_.y - origin.y)) {
    core_.RequestUnlock();
  }
}

void TLockSession::LookNow() { Application.WatchNow(); }

void TLockSession::DisplaysChanged() {
  // However many changes come, they are followed once, at the guard's next look.
  displaysChanged_ = true;
}

void TLockSession::Guard() {
  const bool monitors = ++guardLooks_ % kMonitorLooks == 0;
  if (!Intact(monitors)) Recover();
}

HWND TLockSession::WindowOf(const PlacedWindow& placed) const {
  switch (placed.window) {
    case LockWindow::Prompt:
      return prompt_.form ? prompt_.form->Handle() : nullptr;
    case LockWindow::LockScreen:
      return LockWindow();
    case LockWindow::Cover:
      return placed.cover < covers_.size() && covers_[placed.cover] ? covers_[placed.cover]->Handle() : nullptr;
  }
  return nullptr;
}

const TLockSurface* TLockSession::SurfaceOf(HWND window) const {
  if (window == nullptr) return nullptr;
  if (lockScreen_ != nullptr && lockScreen_->Handle() == window) return lockScreen_;
  for (const auto& cover : covers_) {
    if (cover != nullptr && cover->Handle() == window) return cover.get();
  }
  return nullptr;
}

bool TLockSession::PromptDamaged() const {
  return core_.PromptOpen() && (!prompt_.form || !prompt_.form->Intact());
}

bool TLockSession::InPlace(HWND window, const PlacedWindow& placed) const {
  if (window == nullptr || !IsWindowVisible(window) || IsIconic(window)) return false;
  RECT bounds{0, 0, 0, 0};
  GetWindowRect(window, &bounds);
  if (!Within(ToRect(placed.bounds), bounds) || (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 ||
      (IsWindowEnabled(window) != FALSE) != placed.enabled) {
    return false;
  }
  if (placed.window == LockWindow::Prompt) return !prompt_.form->StateDiffers();
  const TLockSurface* surface = SurfaceOf(window);
  return surface != nullptr && surface->Alive() && !surface->StateDiffers() &&
         (placed.window != LockWindow::LockScreen || IsZoomed(window));
}

bool TLockSession::NothingForeignAbove(const LockArrangement& arrangement) const {
  std::vector<HWND> ours;
  for (const PlacedWindow& placed : arrangement.windows) ours.push_back(WindowOf(placed));
  // In the arrangement's order, each right under the one before it.
  for (std::size_t i = 1; i < ours.size(); ++i) {
    if (!Above(ours[i - 1], ours[i])) return false;
  }
  // From the top of the z-order down to the last of them: nothing of another program showing.
  std::size_t left = ours.size();
  int steps = 0;
  for (HWND window = GetTopWindow(nullptr); window != nullptr && left > 0 && ++steps < kMostWindowsAbove;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (std::find(ours.begin(), ours.end(), window) != ours.end()) {
      --left;
    } else if (OtherProgramShows(window)) {
      return false;
    }
  }
  return left == 0;
}

bool TLockSession::Intact(bool monitors) const {
  const LockArrangement wanted = Arrangement();
  if (wanted.windows.empty()) return true;
  if (displaysChanged_ || covers_.size() != coverLayout_.size() || (monitors && CoverLayout() != coverLayout_) ||
      PromptDamaged()) {
    return false;
  }
  const PlacedWindow* foreground = nullptr;
  for (const PlacedWindow& placed : wanted.windows) {
    if (!InPlace(WindowOf(placed), placed)) return false;
    if (placed.window == wanted.foreground) foreground = &placed;
  }
  return NothingForeignAbove(wanted) && foreground != nullptr && GetForegroundWindow() == WindowOf(*foreground);
}

void TLockSession::RemakeLockScreen() {
  if (Contain("making the lock screen again", [this] { lockScreen_->Remake(); })) {
    remakeFailures_ = 0;
    return;
  }
  // A process whose lock window is gone must not keep other copies from locking: when the
  // window cannot be made again within about a second, the program ends.
  if (++remakeFailures_ >= kRemakeTries) {
    Application.SetExitCode(1);
    Application.Terminate();
  }
}

void TLockSession::BringForward(const PlacedWindow& placed) {
  if (placed.window == LockWindow::Prompt && prompt_.form) {
    prompt_.form->BringToFront();
    return;
  }
  const HWND window = WindowOf(placed);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  SetFocus(window);
}

void TLockSession::Recover() {
  if (lockScreen_ == nullptr || Arrangement().windows.empty()) return;
  const win::OwnChange own;
  // Cleared before the monitors are read, so that changes announced meanwhile are looked at again.
  displaysChanged_ = false;
  const bool lockScreenGone = !lockScreen_->Alive();
  if (lockScreenGone) RemakeLockScreen();
  FollowMonitors();
  if (PromptDamaged()) RemakePrompt();
  const LockArrangement wanted = Arrangement();
  HWND above = HWND_TOPMOST;
  for (const PlacedWindow& placed : wanted.windows) {
    const HWND window = WindowOf(placed);
    if (window == nullptr) continue;
    if (placed.window == LockWindow::Prompt) {
      if (prompt_.form->StateDiffers()) prompt_.form->RestoreWindowState();
    } else if (const TLockSurface* surface = SurfaceOf(window); surface != nullptr && surface->StateDiffers()) {
      surface->RestoreState();
    }
    // Restored and maximised again without taking the activation, which may be the prompt's.
    if (IsIconic(window)) ShowWindow(window, SW_SHOWNOACTIVATE);
    if (placed.window == LockWindow::LockScreen && !IsZoomed(window)) {
      SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_MAXIMIZE);
    }
    const RECT bounds = ToRect(placed.bounds);
    SetWindowPos(window, above, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if ((IsWindowEnabled(window) != FALSE) != placed.enabled) EnableWindow(window, placed.enabled ? TRUE : FALSE);
    above = window;
  }
  // A window made again covers at once, not at its first paint from the queue.
  if (lockScreenGone && lockScreen_->Alive()) lockScreen_->PaintNow();
  for (const PlacedWindow& placed : wanted.windows) {
    if (placed.window == wanted.foreground && GetForegroundWindow() != WindowOf(placed)) BringForward(placed);
  }
}

void TLockSession::KeepInPlace(HWND window, WINDOWPOS& position) {
  const LockArrangement wanted = Arrangement();
  for (std::size_t i = 0; i < wanted.windows.size(); ++i) {
    if (WindowOf(wanted.windows[i]) != window) continue;
    const RECT bounds = ToRect(wanted.windows[i].bounds);
    position.flags &= ~static_cast<UINT>(SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    position.x = bounds.left;
    position.y = bounds.top;
    position.cx = bounds.right - bounds.left;
    position.cy = bounds.bottom - bounds.top;
    if ((position.flags & SWP_NOZORDER) == 0) {
      const HWND previous = i > 0 ? WindowOf(wanted.windows[i - 1]) : nullptr;
      position.hwndInsertAfter = previous != nullptr ? previous : HWND_TOPMOST;
    }
    return;
  }
}

// The prompt is another module's form: the session keeps it through a subclass. What another
// program does to its place and visibility is undone, and no move, size or minimise loop starts.
LRESULT CALLBACK TLockSession::KeepPrompt(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  LRESULT result = 0;
  if (KeepWindow(*reinterpret_cast<TLockSession*>(data), window, message, wParam, lParam, false, result)) {
    return result;
  }
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, &KeepPrompt, kKeepPromptId);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace velmora
