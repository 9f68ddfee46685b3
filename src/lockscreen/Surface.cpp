#include "lockscreen/Surface.h"

#include <string>

#include "core/Error.h"
#include "core/Failures.h"
#include "ui/Application.h"
#include "ui/WindowProcedure.h"
#include "win/Colors.h"
#include "win/Handles.h"
#include "win/Process.h"

namespace velmora {

TLockSurface::TLockSurface(Keeper& keeper, Kind kind, const char* className, const RECT& bounds,
                           ColorValue background)
    : keeper_(keeper), className_(className), bounds_(bounds), background_(background), kind_(kind) {
  const HICON icon = kind == Kind::LockScreen ? LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)) : nullptr;
  if (!RegisterWindowClass<TLockSurface>(className, 0, icon)) {
    throw Error(std::string("Cannot register the window class ") + className);
  }
  Create();
}

TLockSurface::~TLockSurface() { DestroyObjectWindow(handle_, this); }

void TLockSurface::Create() {
  // No taskbar button (the application window owns it); a cover never takes the activation.
  const DWORD exStyle = kind_ == Kind::LockScreen ? WS_EX_TOPMOST : WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  const DWORD style = kind_ == Kind::LockScreen ? WS_POPUP | WS_MAXIMIZE : WS_POPUP;
  const HWND created = CreateObjectWindow(this, exStyle, className_, style, bounds_, Application.Owner());
  if (created == nullptr) throw Error(std::string("Cannot create the window ") + className_);
  styles_ = win::DesignStyles(handle_);
  WindowMade();
}

bool TLockSurface::Alive() const {
  return CarriesObject(handle_, this) && GetAncestor(handle_, GA_PARENT) == GetDesktopWindow();
}

void TLockSurface::SetBackground(ColorValue color) {
  background_ = color;
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, TRUE);
}

bool TLockSurface::StateDiffers() const { return win::StateDiffers(handle_, styles_, Application.Handle()); }

void TLockSurface::RestoreState() const { win::RestoreState(handle_, styles_, Application.Owner()); }

void TLockSurface::Remake() {
  if (Alive()) return;
  if (CarriesObject(handle_, this)) window_procedure::Forget(handle_);
  handle_ = nullptr;
  Create();
}

void TLockSurface::PaintNow() const {
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
}

void TLockSurface::FillBackground(HDC dc, const RECT& area) const {
  win::Brush brush(CreateSolidBrush(ResolveColor(background_)));
  FillRect(dc, &area, brush.get());
}

void TLockSurface::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(handle_, &paint);
  if (dc == nullptr) return;
  FillBackground(dc, paint.rcPaint);
  EndPaint(handle_, &paint);
}

LRESULT TLockSurface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (win::RefuseForeignChange(handle_, message, wParam, lParam, result) ||
      KeepWindow(keeper_, handle_, message, wParam, lParam, true, result)) {
    return result;
  }
  switch (message) {
    case WM_ACTIVATEAPP:
      Application.ActivateAppChanged(wParam != FALSE);
      if (wParam == FALSE && keeper_.Keeping()) keeper_.LookNow();
      return 0;
    case WM_DISPLAYCHANGE:
      keeper_.DisplaysChanged();
      break;
    case WM_MOUSEACTIVATE:
      if (kind_ == Kind::Cover) return MA_NOACTIVATE;
      break;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_CLOSE:
      keeper_.CloseRequested();
      return 0;
    case WM_SYSCOMMAND:
      // No menu, no moving, sizing or minimising: a close asks for the password.
      if ((wParam & 0xFFF0) == SC_CLOSE) keeper_.CloseRequested();
      return 0;
    default:
      break;
  }
  return OwnMessage(message, wParam, lParam);
}

LRESULT TLockSurface::OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{0, 0, 0, 0};
      GetClientRect(handle_, &client);
      FillBackground(reinterpret_cast<HDC>(wParam), client);
      return 1;
    }
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return DefWindowProcA(handle_, message, wParam, lParam);
  }
}

LRESULT TLockSurface::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what) {
  RecordFailure(className_, what);
  return handle_ != nullptr ? DefWindowProcA(handle_, message, wParam, lParam) : 0;
}

bool KeepWindow(TLockSurface::Keeper& keeper, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                bool ownChangesToo, LRESULT& result) {
  const bool kept = ownChangesToo || win::FromElsewhere();
  switch (message) {
    case WM_WINDOWPOSCHANGING: {
      auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
      // Only the lock shows its windows.
      if (!keeper.Keeping() && win::FromElsewhere()) position.flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
      if (kept) keeper.KeepInPlace(window, position);
      return false;
    }
    case WM_WINDOWPOSCHANGED:
    case WM_KILLFOCUS:
      if (keeper.Keeping()) keeper.LookNow();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && keeper.Keeping()) keeper.LookNow();
      return false;
    case WM_SHOWWINDOW:
      // Hiding is for a granted unlock and the program's end; any other hide is undone.
      if (wParam != FALSE || !kept || !keeper.Keeping()) return false;
      keeper.LookNow();
      result = 0;
      return true;
    default:
      return false;
  }
}

bool LockScreenRunning(const char* lockScreenClass) {
  for (HWND window = FindWindowExA(nullptr, nullptr, lockScreenClass, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, lockScreenClass, nullptr)) {
    if (win::WindowOfThisProgram(window)) return true;
  }
  return false;
}

}  // namespace velmora
