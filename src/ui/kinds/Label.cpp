// Labels: static text that fits its caption when the row gives no size, reports clicks and the
// mouse entering and leaving, and shows the hand when it acts as a link.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/LinkCursor.h"
#include "ui/WindowProcedure.h"
#include "ui/Kinds.h"

namespace velmora {

namespace {

constexpr UINT_PTR kLabelMouseId = 2;

LRESULT CALLBACK LabelMouseProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
  auto* label = reinterpret_cast<TLabel*>(data);
  if (IsForgedLifetimeMessage(window, message)) return 0;
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, LabelMouseProcedure, kLabelMouseId);
      break;
    case WM_MOUSEMOVE:
      if (!label->MouseInside()) {
        label->SetMouseInside(true);
        TRACKMOUSEEVENT tracking{};
        tracking.cbSize = sizeof(tracking);
        tracking.dwFlags = TME_LEAVE;
        tracking.hwndTrack = window;
        TrackMouseEvent(&tracking);
        label->RunEventSafely(label->OnMouseEnter);
      }
      break;
    case WM_MOUSELEAVE:
      label->SetMouseInside(false);
      label->RunEventSafely(label->OnMouseLeave);
      break;
    case WM_SETCURSOR:
      if (label->HandCursor()) {
        SetCursor(LinkCursor());
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// A label of a fixed size clips a text that is too long instead of wrapping it; the static
// control has no such style for centred and right-aligned text.
DWORD AlignmentStyle(TextAlignment alignment, bool fixedSize) {
  switch (alignment) {
    case TextAlignment::Center: return SS_CENTER;
    case TextAlignment::Right: return SS_RIGHT;
    case TextAlignment::Left: break;
  }
  return fixedSize ? SS_LEFTNOWORDWRAP : SS_LEFT;
}

}  // namespace

TLabel::TLabel(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  CreateControlWindow(WC_STATICA, SS_NOTIFY | SS_NOPREFIX |
                                      AlignmentStyle(OptionsOf<Options>().alignment, layout.width != 0 || layout.height != 0));
  SetWindowSubclass(Handle(), LabelMouseProcedure, kLabelMouseId, reinterpret_cast<DWORD_PTR>(this));
  SetWindowTextA(Handle(), CaptionText().c_str());
  AutoSize();
}

LRESULT TLabel::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) Run(OnClick);
  return 0;
}

void TLabel::AutoSize() {
  if (Layout().width != 0 || Layout().height != 0 || Handle() == nullptr) return;
  win::WindowDC dc(Handle());
  win::SelectedObject font(dc.get(), FontHandle());
  RECT extent{0, 0, 0, 0};
  const std::string text = CaptionText().empty() ? std::string(" ") : CaptionText();
  DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
  SetWindowPos(Handle(), nullptr, 0, 0, extent.right, extent.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
