#include "ui/Application.h"

#include "core/Failures.h"
#include "core/ScopeExit.h"
#include "ui/WindowProcedure.h"

#include <utility>

namespace velmora {

TApplication Application;

namespace {

constexpr char kApplicationClass[] = "TVelmoraApplication";

// The hidden owner of every window never closes: its end would take every window of the program
// with it. It is destroyed only by Finalize.
LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATEAPP) Application.ActivateAppChanged(wParam != FALSE);
  if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) ||
      (IsLifetimeMessage(message) && InSendMessage())) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool TApplication::MainWindowUp() const {
  // A held lock keeps the loop going even while its window is being made again.
  if (Holding()) return true;
  return mainWindow_ != nullptr && IsWindow(mainWindow_) && IsWindowVisible(mainWindow_);
}

void TApplication::Initialize(HINSTANCE instance) {
  if (handle_ != nullptr) return;
  instance_ = instance;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ApplicationWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kApplicationClass;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  RegisterClassA(&windowClass);
  handle_ = CreateWindowExA(0, kApplicationClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                            nullptr, nullptr, instance, nullptr);
  // No taskbar button and no entry in the task switcher.
  SetWindowLongPtrA(handle_, GWL_EXSTYLE, GetWindowLongPtrA(handle_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  ShowWindow(handle_, SW_HIDE);
  SetWindowTextA(handle_, "");
}

HWND TApplication::Owner() {
  if (handle_ != nullptr && !IsWindow(handle_)) {
    handle_ = nullptr;
    Initialize(instance_);
  }
  return handle_;
}

void TApplication::Finalize() {
  // Deferred work the loop no longer ran goes with what it holds (a prompt done with), while
  // the windows that own them still stand.
  deferred_.clear();
  if (handle_ != nullptr) DestroyWindow(handle_);
  handle_ = nullptr;
  mainWindow_ = nullptr;
}

void TApplication::ActivateAppChanged(bool active) {
  const bool lost = active_ && !active;
  active_ = active;
  if (lost && onDeactivate_) onDeactivate_();
}

void TApplication::Defer(Notification work) { deferred_.push_back(std::move(work)); }

void TApplication::SetWatch(Notification watch, unsigned interval) {
  watch_ = std::move(watch);
  watchInterval_ = interval;
  watchRequested_ = false;
  lastWatch_ = GetTickCount64();
  if (watch_ && sentHook_ == nullptr) {
    sentHook_ = SetWindowsHookExA(WH_CALLWNDPROC, &SentMessageSeen, nullptr, GetCurrentThreadId());
  } else if (!watch_ && sentHook_ != nullptr) {
    UnhookWindowsHookEx(sentHook_);
    sentHook_ = nullptr;
  }
}

// Every message another thread sends this one is handed over inside PeekMessage, before any
// posted message, and arrives here first. While the outermost loop waits in the system, such a
// message is the moment to run a watch that is due.
LRESULT CALLBACK TApplication::SentMessageSeen(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && Application.waiting_) {
    Application.waiting_ = false;
    Application.RunDueWork(true);
    Application.waiting_ = true;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TApplication::RunDueWork(bool watchOnly) {
  if (depth_ > 1 || runningDueWork_) return;
  runningDueWork_ = true;
  const ScopeExit done([this] { runningDueWork_ = false; });
  while (!watchOnly && !deferred_.empty()) {
    std::vector<Notification> work;
    work.swap(deferred_);
    for (const Notification& step : work) Contain("deferred work", step);
  }
  if (watch_ && (watchRequested_ || GetTickCount64() - lastWatch_ >= watchInterval_)) {
    watchRequested_ = false;
    lastWatch_ = GetTickCount64();
    const Notification watch = watch_;
    Contain("the watch", watch);
  }
}

DWORD TApplication::MillisecondsToWatch() const {
  if (!deferred_.empty() || watchRequested_) return 0;
  if (!watch_) return INFINITE;
  const ULONGLONG elapsed = GetTickCount64() - lastWatch_;
  return elapsed >= watchInterval_ ? 0 : static_cast<DWORD>(watchInterval_ - elapsed);
}

bool TApplication::HandleMessage() {
  ++depth_;
  const ScopeExit leave([this] { --depth_; });
  RunDueWork(false);
  MSG message;
  waiting_ = depth_ == 1;
  const BOOL got = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
  waiting_ = false;
  if (!got) return false;
  if (message.message == WM_QUIT) {
    if (!Holding() || quitRequested_) terminated_ = true;
    return true;
  }
  // The system sends lifetime messages and never posts them: a posted one is another program's.
  if (IsLifetimeMessage(message.message)) return true;
  bool handled = false;
  if (hook_) {
    // The hook may remove itself while it runs: keep it alive for the call.
    MessageHook hook = hook_;
    hook(message, handled);
  }
  if (!handled && dialogFilter_ != nullptr) handled = dialogFilter_(message);
  if (!handled) {
    const MSG* outer = std::exchange(dispatching_, &message);
    const ScopeExit dispatched([this, outer] { dispatching_ = outer; });
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  RunDueWork(false);
  return true;
}

void TApplication::ProcessMessages() {
  while (HandleMessage()) {
    if (terminated_) break;
  }
}

void TApplication::WaitForMessage() {
  waiting_ = depth_ == 0;
  MsgWaitForMultipleObjectsEx(0, nullptr, MillisecondsToWatch(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  waiting_ = false;
}

void TApplication::Run() {
  if (mainWindow_ == nullptr) return;
  ShowWindow(mainWindow_, SW_SHOW);
  while (!terminated_ && MainWindowUp()) {
    if (!HandleMessage()) WaitForMessage();
  }
}

bool TApplication::DispatchingPosted(HWND window, UINT message) const {
  return dispatching_ != nullptr && dispatching_->hwnd == window && dispatching_->message == message;
}

void TApplication::RunWithDeactivation(Notification onDeactivate) {
  SetOnDeactivate(std::move(onDeactivate));
  const ScopeExit detach([this] { ClearOnDeactivate(); });
  Run();
}

void TApplication::Terminate() {
  quitRequested_ = true;
  terminated_ = true;
  PostQuitMessage(0);
}

}  // namespace velmora
