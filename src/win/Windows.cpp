#include "win/Windows.h"

#include <algorithm>

namespace velmora::win {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void PaintThroughBuffer(HDC target, const RECT& area, const std::function<void(HDC)>& paint) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  MemoryDC memory(CreateCompatibleDC(target));
  Bitmap bitmap(CreateCompatibleBitmap(target, width, height));
  if (!memory || !bitmap) {
    paint(target);
    return;
  }
  SelectedObject selected(memory.get(), bitmap.get());
  // The bitmap's top left corner stands for the area's.
  SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
  paint(memory.get());
  SetViewportOrgEx(memory.get(), 0, 0, nullptr);
  BitBlt(target, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

Font MakeFont(const std::string& face, int height, bool bold, bool italic) {
  LOGFONTA description{};
  description.lfHeight = height;
  description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = italic ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(description.lfFaceName, face.c_str(), LF_FACESIZE);
  return Font(CreateFontIndirectA(&description));
}

}  // namespace velmora::win
