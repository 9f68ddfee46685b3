#include "lockscreen/Cover.h"

#include "core/Error.h"
#include "lockscreen/Session.h"
#include "ui/Application.h"
#include "ui/WindowProcedure.h"
#include "win/Colors.h"
#include "win/Handles.h"

namespace velmora {

TCoverWindow::TCoverWindow(TLockSession& session, const RECT& bounds, ColorValue color)
    : session_(session), bounds_(bounds), color_(color) {
  if (!RegisterWindowClass<TCoverWindow>(kClassName)) throw Error("Cannot register the window class TVelmoraCover");
  // No taskbar button, and a click does not take the activation from the lock screen.
  const HWND created = CreateObjectWindow(this, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName,
                                          WS_POPUP, bounds, Application.Owner());
  if (created == nullptr) throw Error("Cannot create a cover of the lock screen");
  styles_ = win::DesignStyles(handle_);
}

TCoverWindow::~TCoverWindow() { DestroyObjectWindow(handle_, this); }

bool TCoverWindow::Alive() const { return CarriesObject(handle_, this); }

bool TCoverWindow::StateDiffers() const { return win::StateDiffers(handle_, styles_, Application.Handle()); }

void TCoverWindow::RestoreWindowState() const { win::RestoreState(handle_, styles_, Application.Owner()); }

void TCoverWindow::PaintContent(HDC dc, const RECT& client) const {
  win::Brush brush(CreateSolidBrush(ResolveColor(color_)));
  FillRect(dc, &client, brush.get());
}

LRESULT TCoverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      session_.KeepInPlace(handle_, *reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_WINDOWPOSCHANGED:
      if (session_.Holding() && !session_.InPlace(handle_)) session_.RecoverSoon();
      break;
    case WM_SHOWWINDOW:
      if (wParam == FALSE && session_.Holding()) {
        session_.RecoverSoon();
        return 0;
      }
      break;
    case WM_STYLECHANGING:
      if (win::RefuseForeignStyleChange(lParam)) return 0;
      break;
    case WM_ENABLE:
      if (wParam == FALSE && InSendMessage()) EnableWindow(handle_, TRUE);
      break;
    case WM_DISPLAYCHANGE:
      session_.DisplaysChanged();
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(handle_, &paint);
      if (dc != nullptr) {
        PaintContent(dc, paint.rcPaint);
        EndPaint(handle_, &paint);
      }
      return 0;
    }
    case WM_CLOSE:
      session_.CloseRequested();
      return 0;
    case WM_SYSCOMMAND:
      // No menu, no moving or sizing loop: a close asks for the password like the lock screen.
      if ((wParam & 0xFFF0) == SC_CLOSE) session_.CloseRequested();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT TCoverWindow::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char*) {
  return handle_ != nullptr ? DefWindowProcA(handle_, message, wParam, lParam) : 0;
}

}  // namespace velmora
