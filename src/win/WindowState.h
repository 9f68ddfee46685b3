// A window's shape and standing as its program made it: its styles, no region, its place among
// the top-level windows. Another program can change each of them; these put them back.
#pragma once
#include <windows.h>

namespace velmora::win {

// The styles a window was made with, apart from the bits that showing, hiding, minimising and
// enabling change.
struct WindowStyles {
  LONG_PTR style = 0;
  LONG_PTR exStyle = 0;
};

// The styles of `window`, apart from those changing bits.
WindowStyles DesignStyles(HWND window);

// The window has other styles than `styles`, a region, a parent, or another owner than `owner`.
bool StateDiffers(HWND window, const WindowStyles& styles, HWND owner);

// Puts back the styles (keeping the changing bits as they are), removes a region, and makes the
// window top-level again, owned by `owner`, when another parent was given to it.
void RestoreState(HWND window, const WindowStyles& styles, HWND owner);

// For WM_STYLECHANGING: a change another thread asks for is refused (the new styles are the old
// ones). True when it was refused.
bool RefuseForeignStyleChange(LPARAM styleStruct);

}  // namespace velmora::win
