// Frame benchmark: composes whole lock-screen frames into a memory DC and compares the time of
// one frame with a memcpy of the same number of bytes. Prints figures; never fails on timing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"
#include "core/Settings.h"
#include "lockscreen/ClockRenderer.h"
#include "win/Handles.h"

namespace {

double Microseconds(LARGE_INTEGER start, LARGE_INTEGER end, LARGE_INTEGER frequency) {
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

HBITMAP CreateTargetBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Median time of one whole frame at this size, the clock pulsing and the message moving as on
// the lock screen.
double MedianFrame(int width, int height, int frames, bool clock, bool message) {
  using namespace velmora;
  velmora::win::Bitmap bitmap(CreateTargetBitmap(width, height));
  velmora::win::MemoryDC target(CreateCompatibleDC(nullptr));
  SelectObject(target.get(), bitmap.get());

  const TSavedSettings defaults;
  ClockRenderer renderer;
  renderer.SetBeadColors(defaults.LightColor, defaults.SurfaceColor, defaults.ShadowColor);
  const std::string line = BuildDisplayLine(DefaultMessage());
  FrameInput input;
  input.lightColor = defaults.LightColor;
  input.surfaceColor = defaults.SurfaceColor;
  input.backgroundColor = defaults.BackgroundColor;
  input.drawClock = clock;
  input.hour = 10;
  input.minute = 9;
  input.second = 30;
  input.displayLine = message ? std::string_view(line) : std::string_view();
  input.messagePosition = width;
  input.font = MessageFont{"Tahoma", 24, true, false};
  std::int32_t clockSize = kInitialClockSize;
  bool growing = false;

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const RECT client{0, 0, width, height};
  std::vector<double> times;
  // One whole pulse (583 ticks from 400 down to 2, up to 514 and down to 2) first, so that the
  // figures show the steady state after the ring of every size has been drawn once.
  const int warmUp = clock ? 583 : 5;
  for (int frame = 0; frame < frames + warmUp; ++frame) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    AdvanceClockPulse(clockSize, growing, 5);
    input.clockSize = clockSize;
    const SIZE size = renderer.MeasureText(line, input.font);
    input.messagePosition = AdvanceMessagePosition(input.messagePosition, size.cx, width);
    renderer.PaintContent(target.get(), client, input);
    GdiFlush();
    QueryPerformanceCounter(&end);
    if (frame >= warmUp) times.push_back(Microseconds(start, end, frequency));
  }
  return Median(times);
}

double MedianMemcpy(int width, int height, int copies) {
  const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
  std::vector<unsigned char> source(bytes, 0x5A);
  std::vector<unsigned char> destination(bytes, 0);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int copy = 0; copy < copies + 2; ++copy) {
    source[copy % bytes] = static_cast<unsigned char>(copy);
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    std::memcpy(destination.data(), source.data(), bytes);
    QueryPerformanceCounter(&end);
    if (copy >= 2) times.push_back(Microseconds(start, end, frequency));
  }
  volatile unsigned char sink = destination[bytes / 2];
  (void)sink;
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  const bool shortRun = argc > 1 && std::strcmp(argv[1], "--short") == 0;
  const int frames = shortRun ? 30 : 600;
  std::printf("%-10s %14s %14s %8s\n", "size", "frame (us)", "memcpy (us)", "ratio");
  const int sizes[][2] = {{1920, 1080}, {1280, 1024}};
  for (const auto& size : sizes) {
    try {
      const double frame = MedianFrame(size[0], size[1], frames, true, true);
      if (std::getenv("VELMORA_BENCH_PARTS") != nullptr) {
        std::printf("  fill+copy %.1f, +clock %.1f, +message %.1f\n", MedianFrame(size[0], size[1], frames, false, false),
                    MedianFrame(size[0], size[1], frames, true, false), MedianFrame(size[0], size[1], frames, false, true));
      }
      const double copy = MedianMemcpy(size[0], size[1], frames);
      std::printf("%4dx%-5d %14.1f %14.1f %8.2f\n", size[0], size[1], frame, copy, frame / copy);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%dx%d: %s\n", size[0], size[1], error.what());
      return 1;
    }
  }
  return 0;
}
