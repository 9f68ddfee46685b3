// Panels and tab sheets: registering their window class, painting, passing messages to the form.
#include "ui/Kinds.h"

#include "ui/Form.h"
#include "ui/WindowProcedure.h"
#include "win/Windows.h"

namespace velmora {

const char* TCustomPanel::WindowClass() {
  static constexpr char kPanelClass[] = "TVelmoraPanel";
  RegisterWindowClass<TCustomPanel>(kPanelClass, CS_HREDRAW | CS_VREDRAW);
  return kPanelClass;
}

void TCustomPanel::PaintContent(HDC dc, const RECT& area) const {
  const ColorValue background = ParentBackground() && Parent() != nullptr ? Parent()->Color() : Color();
  FillRect(dc, &area, Owner().BrushFor(background));
}

void TCustomPanel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  if (DoubleBuffered()) {
    win::PaintThroughBuffer(dc, client, [this, &client](HDC buffer) { PaintContent(buffer, client); });
  } else {
    PaintContent(dc, client);
  }
  EndPaint(Handle(), &paint);
}

LRESULT TCustomPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(Handle(), &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_SIZE:
      Owner().RealignChildren(*this);
      return 0;
    case WM_CLOSE:
      // A multi-line edit answers Esc by asking its parent to close: that is the form's close.
      Owner().Close();
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return Owner().HandleMessage(message, wParam, lParam);
    default:
      return DefWindowProcA(Handle(), message, wParam, lParam);
  }
}

LRESULT TCustomPanel::HandlerFailed(UINT message, WPARAM wParam, LPARAM lParam, const char* what) {
  Owner().HandlerFailed(WM_NULL, 0, 0, what);
  return DefWindowProcA(Handle(), message, wParam, lParam);
}

}  // namespace velmora
