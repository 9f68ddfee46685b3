// Window benchmark: animates the clock and the message in a full-screen window the way the lock
// screen does (a timer every Speed + 1 ms, one whole frame per paint) for a number of seconds,
// and prints the frames drawn and the CPU time this process used.
// Usage: window_bench [seconds=10] [speed=5]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/Settings.h"
#include "lockscreen/ClockRenderer.h"

namespace {

struct Animation {
  velmora::ClockRenderer renderer;
  velmora::FrameInput input;
  std::string line;
  std::int32_t clockSize = velmora::kInitialClockSize;
  bool growing = false;
  std::int32_t speed = 5;
  int width = 0;
  long frames = 0;
};

Animation* animation = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_TIMER: {
        velmora::AdvanceClockPulse(animation->clockSize, animation->growing, animation->speed);
        const SIZE size = animation->renderer.MeasureText(animation->line, animation->input.font);
        animation->input.messagePosition =
            velmora::AdvanceMessagePosition(animation->input.messagePosition, size.cx, animation->width);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        SYSTEMTIME now;
        GetLocalTime(&now);
        animation->input.clockSize = animation->clockSize;
        animation->input.hour = now.wHour;
        animation->input.minute = now.wMinute;
        animation->input.second = now.wSecond;
        animation->renderer.PaintContent(dc, client, animation->input);
        EndPaint(window, &paint);
        ++animation->frames;
        return 0;
      }
      default:
        break;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    PostQuitMessage(1);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

double Seconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e7;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  Animation state;
  animation = &state;
  state.speed = argc > 2 ? std::atoi(argv[2]) : 5;
  const velmora::TSavedSettings defaults;
  state.line = velmora::BuildDisplayLine(velmora::DefaultMessage());
  state.input = velmora::FrameInputFromSettings(defaults, {"Tahoma"}, true);
  state.input.drawClock = true;
  state.input.displayLine = state.line;
  state.input.font.points = 24;
  state.renderer.SetBeadColors(defaults.LightColor, defaults.SurfaceColor, defaults.ShadowColor);
  state.width = GetSystemMetrics(SM_CXSCREEN);
  state.input.messagePosition = state.width;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VelmoraWindowBench";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                      state.width, GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  SetTimer(window, 1, static_cast<UINT>(state.speed + 1), nullptr);

  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    DispatchMessageA(&message);
  }
  const double elapsed = (GetTickCount() - start) / 1000.0;
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  std::printf("speed %d: %ld frames in %.1f s (%.1f per second), process CPU %.1f s (%.1f%%)\n", state.speed,
              state.frames, elapsed, state.frames / elapsed, Seconds(kernel) + Seconds(user),
              100.0 * (Seconds(kernel) + Seconds(user)) / elapsed);
  DestroyWindow(window);
  return 0;
}
