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

bool RefuseForeignStyleChange(LPARAM styleStruct) {
  if (!InSendMessage()) return false;
  auto* styles = reinterpret_cast<STYLESTRUCT*>(styleStruct);
  styles->styleNew = styles->styleOld;
  return true;
}

}  // namespace velmora::win
