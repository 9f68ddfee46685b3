// The yardstick for the lock's CPU while it animates: what drawing at every timer tick costs at
// the least. One borderless, topmost, black window covering the primary display with a window
// timer of Speed + 1 ms; each tick moves a box in the centre (its side pulsing by +4 and -2
// between 2 and 514, as the clock does) and a short line of text near the bottom (one pixel to
// the left), invalidates the union of the last and the new place of each, and WM_PAINT draws
// them into an off-screen bitmap and copies each rectangle of the update region from it.
//
//   minimal_animation [/S] [speed]     speed 0 to 50, default 5; "/S" and other switches ignored
//
// Every 10 s it writes "ticks <count> in <milliseconds> ms" to standard output, so that
// bench/run-all.sh can show the tick rate the system really gives. Started and ended by
// bench/run-all.sh.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr char kText[] = "Velmora minimal animation";
constexpr int kStartSize = 400;
constexpr int kReportMilliseconds = 10000;

struct Animation {
  int width = 0;
  int height = 0;
  int boxSize = kStartSize;
  bool growing = false;
  int textLeft = 0;
  SIZE textSize{0, 0};
  RECT drawnBox{0, 0, 0, 0};
  RECT drawnText{0, 0, 0, 0};
  HDC frame = nullptr;
  HBRUSH boxBrush = nullptr;
  unsigned ticks = 0;
  DWORD reportStart = 0;
};

Animation animation;

RECT BoxArea() {
  const int left = animation.width / 2 - animation.boxSize / 2;
  const int top = animation.height / 2 - animation.boxSize / 2;
  return RECT{left, top, left + animation.boxSize, top + animation.boxSize};
}

RECT TextArea() {
  const int top = animation.height - 2 * animation.textSize.cy;
  return RECT{animation.textLeft, top, animation.textLeft + animation.textSize.cx, top + animation.textSize.cy};
}

void InvalidateMoved(HWND window, const RECT& drawn, const RECT& next) {
  RECT both{0, 0, 0, 0};
  UnionRect(&both, &drawn, &next);
  if (!IsRectEmpty(&both)) InvalidateRect(window, &both, FALSE);
}

void Tick(HWND window) {
  animation.boxSize += animation.growing ? 4 : -2;
  if (animation.boxSize > 512 || animation.boxSize < 4) animation.growing = !animation.growing;
  if (--animation.textLeft < -animation.textSize.cx) animation.textLeft = animation.width;
  InvalidateMoved(window, animation.drawnBox, BoxArea());
  InvalidateMoved(window, animation.drawnText, TextArea());

  ++animation.ticks;
  const DWORD elapsed = GetTickCount() - animation.reportStart;
  if (elapsed >= kReportMilliseconds) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, "ticks %u in %lu ms\n", animation.ticks,
                                      static_cast<unsigned long>(elapsed));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    animation.ticks = 0;
    animation.reportStart += elapsed;
  }
}

// Clears what the last frame drew in the off-screen bitmap and draws this one.
void Render() {
  const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FillRect(animation.frame, &animation.drawnBox, black);
  FillRect(animation.frame, &animation.drawnText, black);
  animation.drawnBox = BoxArea();
  animation.drawnText = TextArea();
  FillRect(animation.frame, &animation.drawnBox, animation.boxBrush);
  TextOutA(animation.frame, animation.textLeft, animation.drawnText.top, kText, sizeof kText - 1);
}

void Paint(HWND window) {
  const HRGN update = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(window, update, FALSE);
  alignas(RGNDATA) char buffer[sizeof(RGNDATAHEADER) + 8 * sizeof(RECT)];
  RGNDATA* const region = reinterpret_cast<RGNDATA*>(buffer);
  const bool split = GetRegionData(update, sizeof buffer, region) != 0;
  DeleteObject(update);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  Render();
  const RECT* areas = split ? reinterpret_cast<const RECT*>(region->Buffer) : &paint.rcPaint;
  const DWORD count = split ? region->rdh.nCount : 1;
  for (DWORD i = 0; i < count; ++i) {
    const RECT& area = areas[i];
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, animation.frame, area.left,
           area.top, SRCCOPY);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      Tick(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every paint copies from the off-screen bitmap
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The first number on the command line, held to 0 to 50; 5 without one.
int SpeedFromCommandLine(const char* commandLine) {
  for (const char* at = commandLine; *at != '\0'; ++at) {
    if (*at >= '0' && *at <= '9' && (at == commandLine || at[-1] == ' ')) {
      const long speed = std::strtol(at, nullptr, 10);
      return speed > 50 ? 50 : static_cast<int>(speed);
    }
  }
  return 5;
}

// A black 32-bit bitmap of the window's size in a memory DC, with the text's font and colours.
bool MakeFrame() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = animation.width;
  info.bmiHeader.biHeight = -animation.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  animation.frame = CreateCompatibleDC(nullptr);
  if (bitmap == nullptr || animation.frame == nullptr) return false;
  SelectObject(animation.frame, bitmap);
  const HFONT font = CreateFontA(-32, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
  if (font != nullptr) SelectObject(animation.frame, font);
  SetTextColor(animation.frame, RGB(255, 255, 255));
  SetBkColor(animation.frame, RGB(0, 0, 0));
  SetBkMode(animation.frame, OPAQUE);
  GetTextExtentPoint32A(animation.frame, kText, sizeof kText - 1, &animation.textSize);
  animation.boxBrush = CreateSolidBrush(RGB(128, 128, 128));
  return animation.boxBrush != nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const int speed = SpeedFromCommandLine(commandLine);
  animation.width = GetSystemMetrics(SM_CXSCREEN);
  animation.height = GetSystemMetrics(SM_CYSCREEN);
  animation.textLeft = animation.width;
  if (!MakeFrame()) return 1;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "MinimalAnimation";
  if (RegisterClassA(&windowClass) == 0) return 1;
  const HWND window = CreateWindowExA(WS_EX_TOPMOST, "MinimalAnimation", "", WS_POPUP, 0, 0, animation.width,
                                     animation.height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  animation.reportStart = GetTickCount();
  if (SetTimer(window, 1, static_cast<UINT>(speed) + 1, nullptr) == 0) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
