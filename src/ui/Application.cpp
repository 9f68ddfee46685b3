#include "ui/Application.h"

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
  if (lockHeld_) return true;
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
  if (handle_ != nullptr) DestroyWindow(handle_);
  handle_ = nullptr;
  mainWindow_ = nullptr;
}

void TApplication::ActivateAppChanged(bool active) {
  const bool lost = active_ && !active;
  active_ = active;
  if (lost && onDeactivate_) onDeactivate_();
}

bool TApplication::HandleMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    if (!lockHeld_ || quitRequested_) terminated_ = true;
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
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

void TApplication::ProcessMessages() {
  while (HandleMessage()) {
    if (terminated_) break;
  }
}

void TApplication::Run() {
  if (mainWindow_ == nullptr) return;
  ShowWindow(mainWindow_, SW_SHOW);
  while (!terminated_ && MainWindowUp()) {
    if (!HandleMessage()) WaitMessage();
  }
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
