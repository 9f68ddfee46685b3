// Small Win32 helpers the forms and the lock screen share: a window's text, painting through an
// off-screen bitmap, and fonts.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "win/Handles.h"

namespace velmora::win {

// The text of a window (GetWindowTextA), whole.
std::string WindowText(HWND window);

// Lets `paint` draw `area` of a window into an off-screen bitmap of the target's kind and copies
// the result to `target` in one block transfer, so that the window never shows a half-drawn
// state. `paint` receives the bitmap's device context, whose origin is the target's.
void PaintThroughBuffer(HDC target, const RECT& area, const std::function<void(HDC)>& paint);

// A font of `face` (cut to LF_FACESIZE - 1 characters), `height` in logical units (negative for
// the character height, as LOGFONT has it), bold and italic as asked, in the default character
// set; empty when the system refuses it.
Font MakeFont(const std::string& face, int height, bool bold, bool italic);

}  // namespace velmora::win
