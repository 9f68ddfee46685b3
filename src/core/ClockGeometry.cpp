#include "core/ClockGeometry.h"

#include <cmath>

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The offset of a point at distance `length` along `angle`, each coordinate rounded on its own.
Point Offset(double angle, double length) {
  return {RoundHalfEven(std::cos(angle) * length), RoundHalfEven(std::sin(angle) * length)};
}

// A bead at (cx - rnd(cos θ · r), cy - rnd(sin θ · r)).
Point BeadAt(const ClockFrame& frame, double angle, int radius) {
  const Point offset = Offset(angle, radius);
  return {frame.cx - offset.x, frame.cy - offset.y};
}

}  // namespace

int RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5) {
    rounded = below + 1.0;
  } else if (fraction == 0.5) {
    rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  }
  return static_cast<int>(rounded);
}

ClockFrame MakeClockFrame(int width, int height, int clockSize) {
  ClockFrame frame;
  frame.width = width;
  frame.height = height;
  frame.clockSize = clockSize;
  frame.cx = width / 2 + 1;
  frame.cy = height / 2 + 1;
  frame.radius = clockSize / 2 - 10;
  return frame;
}

Box OuterRingBox(const ClockFrame& frame) {
  const int left = (frame.width - frame.clockSize) / 2;
  const int top = (frame.height - frame.clockSize) / 2;
  return {left + 4, top + 4, left + frame.clockSize + 1, top + frame.clockSize + 1};
}

Box InnerRingBox(const ClockFrame& frame) {
  const Box outer = OuterRingBox(frame);
  return {outer.left + 3, outer.top + 3, outer.right - 3, outer.bottom - 3};
}

std::array<Point, kBeadCount> BeadPositions(const ClockFrame& frame) {
  std::array<Point, kBeadCount> beads;
  int next = 0;
  for (int i = 0; i < kMinuteBeadCount; ++i) {
    beads[next++] = BeadAt(frame, (i + 9) * 2 * kPi / 60, frame.radius);
  }
  for (int i = 0; i < kHourBeadCount; ++i) {
    beads[next++] = BeadAt(frame, (i + 9) * 2 * kPi / 12, frame.radius - 5);
  }
  for (int i = 0; i < kQuarterBeadCount; ++i) {
    beads[next++] = BeadAt(frame, (i + 9) * 2 * kPi / 4, frame.radius - 10);
  }
  beads[next] = {frame.cx, frame.cy};
  return beads;
}

std::array<Hand, 3> ClockHands(const ClockFrame& frame, int hour, int minute, int second) {
  const int radius = frame.radius;
  Hand hourHand{(hour + 9 + minute / 60.0) * 2 * kPi / 12, (15 * radius) / 80, frame.clockSize / 20};
  Hand minuteHand{(minute + 45) * 2 * kPi / 60, (30 * radius) / 80, frame.clockSize / 35};
  Hand secondHand{(second + 45) * 2 * kPi / 60, (30 * radius) / 80, 2};
  return {hourHand, minuteHand, secondHand};
}

HandOutline MakeHandOutline(const ClockFrame& frame, double angle, int tail, int k) {
  const Point tailOffset = Offset(angle, tail);
  const Point side = Offset(angle - kPi / 4, k);
  const Point tip = Offset(angle, frame.radius - 8);
  const Point otherSide = Offset(angle + kPi / 4, k);
  return {Point{frame.cx - tailOffset.x, frame.cy - tailOffset.y},
          Point{frame.cx + side.x, frame.cy + side.y},
          Point{frame.cx + tip.x, frame.cy + tip.y},
          Point{frame.cx + otherSide.x, frame.cy + otherSide.y}};
}

std::vector<HandStroke> HandStrokes(const ClockFrame& frame, const Hand& hand) {
  std::vector<HandStroke> strokes;
  strokes.reserve(hand.width > 1 ? static_cast<std::size_t>(hand.width) : 1u);
  for (int k = 0; k <= hand.width - 2; ++k) {
    strokes.push_back({MakeHandOutline(frame, hand.angle, hand.tail, k), false});
  }
  strokes.push_back({MakeHandOutline(frame, hand.angle, hand.tail, hand.width), true});
  return strokes;
}

void AdvanceClockPulse(std::int32_t& clockSize, bool& clockGrowing, std::int32_t speed) {
  if (speed == kSteadySpeed) return;
  clockSize += clockGrowing ? 4 : -2;
  if (clockSize > kClockSizeUpperBound || clockSize < kClockSizeLowerBound) {
    clockGrowing = !clockGrowing;
  }
}

}  // namespace velmora
