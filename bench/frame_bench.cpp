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
#include "win/DibSection.h"
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

// The median time of one frame once every clock size has been seen, and the slowest frame of
// the first pulse, when the renderer draws the rings of each new size.
struct FrameTimes {
  double slowestFirst = 0;
  double steady = 0;
};

// What every measurement draws: a 32-bit target of the frame's size, a fresh renderer with the
// default colours, and the default message in bold 24-point Tahoma entering at the right edge.
class BenchScene {
 public:
  BenchScene(int width, int height, bool clock, bool message)
      : bitmap_(velmora::win::CreateDibSection32(width, height)),
        target_(CreateCompatibleDC(nullptr)),
        line_(velmora::BuildDisplayLine(velmora::DefaultMessage())) {
    SelectObject(target_.get(), bitmap_.get());
    const velmora::TSavedSettings defaults;
    renderer_.SetBeadColors(defaults.LightColor, defaults.SurfaceColor, defaults.ShadowColor);
    input_.lightColor = defaults.LightColor;
    input_.surfaceColor = defaults.SurfaceColor;
    input_.backgroundColor = defaults.BackgroundColor;
    input_.drawClock = clock;
    input_.displayLine = message ? std::string_view(line_) : std::string_view();
    input_.messagePosition = width;
    input_.font = velmora::MessageFont{"Tahoma", 24, true, false};
  }
  BenchScene(const BenchScene&) = delete;
  BenchScene& operator=(const BenchScene&) = delete;

  struct Parts {
    velmora::win::MemoryDC& target;
    velmora::ClockRenderer& renderer;
    const std::string& line;
    velmora::FrameInput& input;
  };
  Parts View() { return {target_, renderer_, line_, input_}; }

 private:
  velmora::win::Bitmap bitmap_;
  velmora::win::MemoryDC target_;
  velmora::ClockRenderer renderer_;
  std::string line_;
  velmora::FrameInput input_;
};

// Frames at this size with the clock pulsing and the message moving as on the lock screen, at
// Speed 5; `clock` and `message` leave either out to show what they cost.
FrameTimes MeasureFrames(int width, int height, int frames, bool clock, bool message) {
  using namespace velmora;
  BenchScene scene(width, height, clock, message);
  auto [target, renderer, line, input] = scene.View();
  input.hour = 10;
  input.minute = 9;
  input.second = 30;
  std::int32_t clockSize = kInitialClockSize;
  bool growing = false;

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const RECT client{0, 0, width, height};
  std::vector<double> firstPulse;
  std::vector<double> times;
  // One whole pulse: 583 ticks from 400 down to 2, up to 514 and down to 2 again.
  const int warmUp = 583;
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
    (frame < warmUp ? firstPulse : times).push_back(Microseconds(start, end, frequency));
  }
  return {*std::max_element(firstPulse.begin(), firstPulse.end()), Median(times)};
}

// The first pulse as the lock screen draws it after start-up: a fresh renderer, readied as the lock
// screen readies it while its window is shown, the clock from 400 down to 2, up to 514 and back
// to 400, the message moving and the local time read at each frame. Returns the slowest and the median frame in microseconds, and the number of frames.
struct PulseTimes {
  double slowest = 0;
  double median = 0;
  std::size_t frames = 0;
  std::size_t slowestFrame = 0;  // its index, 0 the first frame at 400
  std::int32_t slowestSize = 0;  // its clock size
  double slowestLater = 0;       // of the frames after the first, which also makes the bitmaps
};

PulseTimes MeasureFirstPulse(int width, int height) {
  using namespace velmora;
  BenchScene scene(width, height, true, true);
  auto [target, renderer, line, input] = scene.View();
  std::int32_t clockSize = kInitialClockSize;
  bool growing = false;
  bool turnedAtTop = false;
  // The target is a window's surface that exists already: its pages are touched before timing.
  PatBlt(target.get(), 0, 0, width, height, BLACKNESS);
  GdiFlush();

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const RECT client{0, 0, width, height};
  // The lock screen readies its frame while its window is being shown, before the first paint.
  input.clockSize = clockSize;
  renderer.Prepare(client, input);
  std::vector<double> times;
  std::vector<std::int32_t> sizes;
  for (bool first = true; first || !turnedAtTop || clockSize > kInitialClockSize; first = false) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    if (!first) {
      const bool wasGrowing = growing;
      AdvanceClockPulse(clockSize, growing, 5);
      turnedAtTop = turnedAtTop || (wasGrowing && !growing);
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    input.hour = now.wHour;
    input.minute = now.wMinute;
    input.second = now.wSecond;
    input.clockSize = clockSize;
    const SIZE size = renderer.MeasureText(line, input.font);
    input.messagePosition = AdvanceMessagePosition(input.messagePosition, size.cx, width);
    renderer.PaintContent(target.get(), client, input);
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(Microseconds(start, end, frequency));
    sizes.push_back(clockSize);
  }
  const auto slowest = std::max_element(times.begin(), times.end());
  const auto index = static_cast<std::size_t>(slowest - times.begin());
  return {*slowest, Median(times), times.size(), index, sizes[index], *std::max_element(times.begin() + 1, times.end())};
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

// Options: --short (few frames, for the test run), --parts (also frames without the clock or
// the message, to show what each costs), --first-pulse [pulses=1] (only first pulses at
// 1920x1080, each with a fresh renderer, printed as "first pulse: slowest <ms> ms (<min>-<max>),
// median <ms> ms, <n> frames x <pulses>; steady frame <ms> ms": the median over the pulses of each one's slowest frame
// and its range, and the median frame of all).
int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--first-pulse") == 0) {
    const int pulses = argc >= 3 ? std::max(1, std::atoi(argv[2])) : 1;
    try {
      std::vector<double> slowest;
      std::vector<double> medians;
      std::vector<double> later;
      std::size_t frames = 0;
      for (int pulse = 0; pulse < pulses; ++pulse) {
        const PulseTimes times = MeasureFirstPulse(1920, 1080);
        slowest.push_back(times.slowest / 1000);
        medians.push_back(times.median / 1000);
        later.push_back(times.slowestLater / 1000);
        frames = times.frames;
        std::printf("pulse %d: slowest %.2f ms at frame %u (size %d)\n", pulse + 1, times.slowest / 1000,
                    static_cast<unsigned>(times.slowestFrame), static_cast<int>(times.slowestSize));
      }
      std::printf(
          "first pulse: slowest %.2f ms (%.2f-%.2f), after the first frame %.2f ms (%.2f-%.2f), median %.3f ms, "
          "%u frames x %d; steady frame %.3f ms\n",
          Median(slowest), *std::min_element(slowest.begin(), slowest.end()),
          *std::max_element(slowest.begin(), slowest.end()), Median(later), *std::min_element(later.begin(), later.end()),
          *std::max_element(later.begin(), later.end()), Median(medians), static_cast<unsigned>(frames), pulses,
          MeasureFrames(1920, 1080, 200, true, true).steady / 1000);
      return 0;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "first pulse: %s\n", error.what());
      return 1;
    }
  }
  bool shortRun = false;
  bool parts = false;
  for (int i = 1; i < argc; ++i) {
    shortRun = shortRun || std::strcmp(argv[i], "--short") == 0;
    parts = parts || std::strcmp(argv[i], "--parts") == 0;
  }
  const int frames = shortRun ? 30 : 600;
  std::printf("%-10s %12s %18s %12s %8s\n", "size", "frame (us)", "slowest first (us)", "memcpy (us)", "ratio");
  const int sizes[][2] = {{1920, 1080}, {1280, 1024}};
  for (const auto& size : sizes) {
    const int width = size[0];
    const int height = size[1];
    try {
      const FrameTimes frame = MeasureFrames(width, height, frames, true, true);
      const double copy = MedianMemcpy(width, height, frames);
      std::printf("%4dx%-5d %12.1f %18.1f %12.1f %8.2f\n", width, height, frame.steady, frame.slowestFirst, copy,
                  frame.steady / copy);
      if (parts) {
        std::printf("  fill and transfer only %.1f, with the clock %.1f, with the message %.1f\n",
                    MeasureFrames(width, height, frames, false, false).steady,
                    MeasureFrames(width, height, frames, true, false).steady,
                    MeasureFrames(width, height, frames, false, true).steady);
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%dx%d: %s\n", width, height, error.what());
      return 1;
    }
  }
  return 0;
}
