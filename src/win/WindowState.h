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

// Marks, for as long as it lives, every change this thread makes to its own windows as its own,
// also while it handles a message another thread sent.
class OwnChange {
 public:
  OwnChange();
  ~OwnChange();
  OwnChange(const OwnChange&) = delete;
  OwnChange& operator=(const OwnChange&) = delete;
};

// The message being handled was sent by another thread or program (also without waiting, as
// SendNotifyMessage does), and is not part of one of this thread's own changes.
bool FromElsewhere();

// What no other program may change of a window: a style change it asks for is refused (the new
// styles stay the old ones), and a disabling is undone at once. For WM_STYLECHANGING and
// WM_ENABLE: true when `message` was such a change and has been answered (with `result`).
bool RefuseForeignChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace velmora::win
