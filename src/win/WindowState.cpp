#include "win/WindowState.h"

namespace velmora::win {
namespace {

constexpr LONG_PTR kChangingStyles = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;
// Always-on-top is a place in the z-order, which SetWindowPos gives back.
constexpr LONG_PTR kChangingExStyles = WS_EX_TOPMOST;

bool HasRegion(HWND window) {
  RECT box;
  return GetWindowRgnBox(window, &box) != ERROR;
}

bool TopLevel(HWND window) { return GetAncestor(window, GA_PARENT) == GetDesktopWindow(); }

thread_local int ownChanges = 0;

}  // namespace

WindowStyles DesignStyles(HWND window) {
  return WindowStyles{GetWindowLongPtrA(window, GWL_STYLE) & ~kChangingStyles,
                      GetWindowLongPtrA(window, GWL_EXSTYLE) & ~kChangingExStyles};
}

bool StateDiffers(HWND window, const WindowStyles& styles, HWND owner) {
  const WindowStyles now = DesignStyles(window);
  return now.style != styles.style || now.exStyle != styles.exStyle || HasRegion(window) || !TopLevel(window) ||
         GetWindow(window, GW_OWNER) != owner;
}

void RestoreState(HWND window, const WindowStyles& styles, HWND owner) {
  const OwnChange own;
  if (!TopLevel(window)) {
    SetParent(window, nullptr);
    SetWindowLongPtrA(window, GWL_STYLE, (GetWindowLongPtrA(window, GWL_STYLE) & ~WS_CHILD) | WS_POPUP);
  }
  if (GetWindow(window, GW_OWNER) != owner)
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  const LONG_PTR wantedStyle = styles.style | (style & kChangingStyles);
  const LONG_PTR wantedExStyle = styles.exStyle | (exStyle & kChangingExStyles);
  if (style != wantedStyle) SetWindowLongPtrA(window, GWL_STYLE, wantedStyle);
  if (exStyle != wantedExStyle) SetWindowLongPtrA(window, GWL_EXSTYLE, wantedExStyle);
  if (HasRegion(window)) SetWindowRgn(window, nullptr, TRUE);
  if (style != wantedStyle || exStyle != wantedExStyle) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

OwnChange::OwnChange() { ++ownChanges; }

OwnChange::~OwnChange() { --ownChanges; }

bool FromElsewhere() { return ownChanges == 0 && InSendMessageEx(nullptr) != ISMEX_NOSEND; }

bool RefuseForeignChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if ((message != WM_STYLECHANGING && message != WM_ENABLE) || !FromElsewhere()) return false;
  if (message == WM_STYLECHANGING) {
    auto* styles = reinterpret_cast<STYLESTRUCT*>(lParam);
    styles->styleNew = styles->styleOld;
  } else if (wParam == FALSE) {
    const OwnChange own;
    EnableWindow(window, TRUE);
  }
  result = 0;
  return true;
}

}  // namespace velmora::win
