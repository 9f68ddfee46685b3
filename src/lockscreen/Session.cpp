#include "lockscreen/Session.h"

#include <algorithm>

#include "core/Error.h"
#include "core/MonitorLayout.h"
#include "lockscreen/Cover.h"
#include "lockscreen/Main.h"
#include "ui/Application.h"

namespace velmora {
namespace {

constexpr UINT kGuardInterval = 100;
// At most this many top-level windows are looked at above the lock's own.
constexpr int kMostWindowsAbove = 4096;
// The session whose guard runs; one lock is held at a time.
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

TLockSession::~TLockSession() {
  session_.Release();
  session_.GiveBack();
}

void TLockSession::SetUnlockPrompt(PromptWindow prompt, AskPrompt ask) {
  promptWindow_ = std::move(prompt);
  askPrompt_ = std::move(ask);
}

HWND TLockSession::LockWindow() const { return lockScreen_ != nullptr ? lockScreen_->Handle() : nullptr; }

RECT TLockSession::PrimaryBounds() const {
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool TLockSession::PromptUp() const {
  const TForm* prompt = Prompt();
  return Asking() && prompt != nullptr && prompt->Visible();
}

std::vector<Box> TLockSession::CoverLayout() const {
  const RECT primary = PrimaryBounds();
  return CoverBoxes(monitors_(), Box{primary.left, primary.top, primary.right, primary.bottom});
}

// The steps the session takes and gives back.

void TLockSession::SetLockHeld(bool held) { Application.SetLockHeld(held); }

void TLockSession::HideOwnerWindow(bool hidden) {
  if (windowToHide_ != nullptr && Application.MainWindow() == windowToHide_) {
    ShowWindow(windowToHide_, hidden ? SW_HIDE : SW_SHOW);
  }
}

void TLockSession::HideTaskbar(bool hidden) { ShowTaskbar(!hidden); }

void TLockSession::LockKeys() {
  if (!keyLockLibrary_.Load()) return;
  Application.ProcessMessages();
  keyLockLibrary_.LockKeys(LockWindow());
}

void TLockSession::UnlockKeys() {
  if (!keyLockLibrary_.Loaded()) return;
  keyLockLibrary_.UnlockKeys();
  Application.ProcessMessages();
  keyLockLibrary_.Unload();
}

void TLockSession::CoverMonitors() {
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
                                 [](const auto& cover) { return cover->Alive(); });
  if (whole && layout == coverLayout_ && covers_.size() == layout.size()) return;
  covers_.clear();
  coverLayout_.clear();
  for (const Box& box : layout)
    covers_.push_back(std::make_unique<TCoverWindow>(*this, ToRect(box), settings_.BackgroundColor));
  coverLayout_ = layout;
  PlaceCovers();
}

void TLockSession::PlaceCovers() const {
  const HWND lock = LockWindow();
  for (const auto& cover : covers_) {
    const RECT& bounds = cover->Bounds();
    SetWindowPos(cover->Handle(), lock != nullptr ? lock : HWND_TOPMOST, bounds.left, bounds.top,
                 bounds.right - bounds.left, bounds.bottom - bounds.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
}

void TLockSession::SavePointer() { GetCursorPos(&savedCursorPos_); }

void TLockSession::RestorePointer() { SetCursorPos(savedCursorPos_.x, savedCursorPos_.y); }

void TLockSession::Arm() {
  Application.SetMessageHook([this](MSG& message, bool& handled) { AppMessage(message, handled); });
  armed_ = true;
}

void TLockSession::Disarm() {
  Application.ClearMessageHook();
  armed_ = false;
}

void TLockSession::StartGuard() {
  guardedSession = this;
  guardTimer_ = SetTimer(nullptr, 0, kGuardInterval, &GuardTick);
}

void TLockSession::StopGuard() {
  if (guardTimer_ != 0) KillTimer(nullptr, guardTimer_);
  guardTimer_ = 0;
  if (guardedSession == this) guardedSession = nullptr;
}

void CALLBACK TLockSession::GuardTick(HWND, UINT, UINT_PTR, DWORD) {
  if (guardedSession == nullptr) return;
  try {
    // Looking costs a few calls; placing every window again at every tick cost about a tenth
    // of the lock's CPU.
    const bool monitors = ++guardedSession->guardTicks_ % kMonitorTicks == 0;
    if (!guardedSession->Intact(monitors)) guardedSession->Recover();
  } catch (...) {
    // The next tick tries again.
  }
}

// The unlock sequence's steps.

void TLockSession::StopAnimation() {
  if (lockScreen_ != nullptr) lockScreen_->StopAnimation();
}

void TLockSession::StartAnimation() {
  if (lockScreen_ != nullptr) lockScreen_->StartAnimation();
}

PromptAnswer TLockSession::Ask() {
  TForm* prompt = Prompt();
  if (prompt == nullptr || !askPrompt_) throw Error("The unlock prompt does not exist.");
  // The lock screen took the top of the always-on-top windows when it was shown; the prompt is
  // put in front of it before it shows and again once it is up, whatever its showing and
  // activation did to the order.
  SetWindowPos(prompt->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PostMessageA(LockWindow(), kRaisePromptMessage, 0, 0);
  return askPrompt_();
}

void TLockSession::TakeMessage(const PromptAnswer& answer) {
  if (lockScreen_ != nullptr) lockScreen_->TakeMessage(answer);
}

bool TLockSession::SystemAllows() { return VerifySystemPassword(LockWindow()); }

void TLockSession::Beep() {
  if (lockScreen_ != nullptr && lockScreen_->Beep != nullptr) lockScreen_->Beep();
}

void TLockSession::FocusLock() {
  if (lockScreen_ != nullptr) lockScreen_->BringToFront();
}

void TLockSession::ProcessMessages() { Application.ProcessMessages(); }

void TLockSession::Pause(unsigned milliseconds) { Sleep(milliseconds); }

// Activity and the guard.

void TLockSession::AppMessage(MSG& message, bool&) {
  if (!armed_) return;
  // A pointer message carries the position in the client area of its window: the lock screen's
  // starts at the screen origin, a cover's at its monitor's corner.
  POINT origin{0, 0};
  if (const TCoverWindow* cover = CoverOf(message.hwnd)) origin = POINT{cover->Bounds().left, cover->Bounds().top};
  if (CountsAsActivity(message.message, static_cast<std::uint64_t>(message.lParam), savedCursorPos_.x - origin.x,
                       savedCursorPos_.y - origin.y)) {
    CloseRequested();
  }
}

void TLockSession::CloseRequested() {
  if (lockScreen_ == nullptr) return;
  try {
    lockScreen_->Close();
  } catch (...) {
    // Whatever failed, the lock stays up and armed.
    if (Holding() && !armed_) {
      StartAnimation();
      Arm();
    }
  }
}

void TLockSession::RaisePrompt() const {
  if (!PromptUp()) return;
  SetWindowPos(Prompt()->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TLockSession::LockScreenMoved() const {
  if (!Holding()) return;
  // Activating the lock screen can raise it over the prompt whatever its position change asked
  // for: the prompt goes back on top before anything else happens.
  if (PromptUp() && Above(LockWindow(), Prompt()->Handle())) RaisePrompt();
  if (!InPlace(LockWindow())) RecoverSoon();
}

void TLockSession::RemakeLockScreen() {
  try {
    lockScreen_->RemakeWindow();
    remakeFailures_ = 0;
  } catch (...) {
    // A process whose lock window is gone must not keep other copies from locking: when the
    // window cannot be made again within about a second, the program ends.
    if (++remakeFailures_ >= kRemakeTries) {
      Application.SetExitCode(1);
      Application.Terminate();
    }
    throw;
  }
}

void TLockSession::RecoverSoon() const {
  if (LockWindow() != nullptr) PostMessageA(LockWindow(), kRecoverMessage, 0, 0);
}

void TLockSession::KeepInPlace(HWND window, WINDOWPOS& position) const {
  if (!Holding()) return;
  RECT bounds = PrimaryBounds();
  HWND insertAfter = nullptr;
  const bool lockScreen = window == LockWindow();
  if (lockScreen) {
    // Nothing may go over the lock screen; while the prompt is up it stands right under the
    // prompt, where only the guard places it.
    if (!Asking()) {
      insertAfter = HWND_TOPMOST;
    } else if (!placing_) {
      position.flags |= SWP_NOZORDER;
    }
  } else {
    const TCoverWindow* cover = CoverOf(window);
    if (cover == nullptr) return;
    bounds = cover->Bounds();
    insertAfter = LockWindow();
  }
  position.flags &= ~static_cast<UINT>(SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
  position.x = bounds.left;
  position.y = bounds.top;
  position.cx = bounds.right - bounds.left;
  position.cy = bounds.bottom - bounds.top;
  if ((position.flags & SWP_NOZORDER) == 0 && insertAfter != nullptr) position.hwndInsertAfter = insertAfter;
}

bool TLockSession::InPlace(HWND window) const {
  RECT target = PrimaryBounds();
  bool stateDiffers = lockScreen_ != nullptr && window == LockWindow() && lockScreen_->StateDiffers();
  if (const TCoverWindow* cover = CoverOf(window)) {
    target = cover->Bounds();
    stateDiffers = cover->StateDiffers();
  }
  RECT bounds{0, 0, 0, 0};
  GetWindowRect(window, &bounds);
  return IsWindowVisible(window) && !IsIconic(window) && Within(target, bounds) && !stateDiffers &&
         (IsWindowEnabled(window) || Asking()) && (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

const TCoverWindow* TLockSession::CoverOf(HWND window) const {
  const auto cover = std::find_if(covers_.begin(), covers_.end(), [window](const auto& c) { return c->Handle() == window; });
  return cover != covers_.end() ? cover->get() : nullptr;
}

bool TLockSession::NothingForeignAbove(HWND prompt) const {
  const HWND lock = LockWindow();
  if (prompt != nullptr && !Above(prompt, lock)) return false;
  // From the top of the z-order down to the last of the lock screen and its covers.
  std::size_t left = covers_.size() + 1;
  int steps = 0;
  for (HWND window = GetTopWindow(nullptr); window != nullptr && left > 0 && ++steps < kMostWindowsAbove;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (window == lock || CoverOf(window) != nullptr) {
      --left;
    } else if (window != prompt && OtherProgramShows(window)) {
      return false;
    }
  }
  return left == 0;
}

bool TLockSession::Intact(bool monitors) const {
  if (!Holding() || lockScreen_ == nullptr) return true;
  if (!lockScreen_->Alive() || !InPlace(LockWindow())) return false;
  for (const auto& cover : covers_) {
    if (!cover->Alive() || !InPlace(cover->Handle())) return false;
  }
  if (monitors && CoverLayout() != coverLayout_) return false;
  const HWND prompt = PromptUp() ? Prompt()->Handle() : nullptr;
  if (prompt != nullptr && Prompt()->StateDiffers()) return false;
  if (!NothingForeignAbove(prompt)) return false;
  const HWND foreground = GetForegroundWindow();
  if (prompt != nullptr) return foreground == prompt;
  return Asking() || foreground == LockWindow();
}

void TLockSession::RestoreWindows() const {
  if (lockScreen_->StateDiffers()) lockScreen_->RestoreWindowState();
  for (const auto& cover : covers_) {
    if (cover->StateDiffers()) cover->RestoreWindowState();
  }
  if (PromptUp() && Prompt()->StateDiffers()) Prompt()->RestoreWindowState();
  // The prompt disables the lock's other windows while it is up, and enables them again.
  if (!Asking()) {
    EnableWindow(LockWindow(), TRUE);
    for (const auto& cover : covers_) EnableWindow(cover->Handle(), TRUE);
  }
}

void TLockSession::Recover() {
  if (!Holding() || lockScreen_ == nullptr) return;
  // A lock screen window destroyed from outside is made again, and so are the covers.
  if (!lockScreen_->Alive()) RemakeLockScreen();
  FollowMonitors();
  RestoreWindows();
  const HWND lock = LockWindow();
  if (IsIconic(lock) || !IsWindowVisible(lock)) ShowWindow(lock, SW_SHOWNOACTIVATE);
  const RECT primary = PrimaryBounds();
  const int width = primary.right - primary.left;
  const int height = primary.bottom - primary.top;
  if (PromptUp()) {
    // The prompt goes on top first and the lock screen right under it, so that the lock screen
    // never passes over the prompt, not even between two calls.
    TForm* prompt = Prompt();
    SetWindowPos(prompt->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placing_ = true;
    SetWindowPos(lock, prompt->Handle(), primary.left, primary.top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    placing_ = false;
    PlaceCovers();
    if (GetForegroundWindow() != prompt->Handle()) prompt->BringToFront();
    return;
  }
  SetWindowPos(lock, HWND_TOPMOST, primary.left, primary.top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  PlaceCovers();
  if (!Asking() && GetForegroundWindow() != lock) lockScreen_->BringToFront();
}

}  // namespace velmora
