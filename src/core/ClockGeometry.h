// Geometry of the lock screen's clock: ring boxes, bead positions, hand outlines and the pulse.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace velmora {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& other) const { return x == other.x && y == other.y; }
  bool operator!=(const Point& other) const { return !(*this == other); }
};

// Corners as left, top, right, bottom; right and bottom are exclusive, as in Windows rectangles.
struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Box& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// Rounds to the nearest integer, halves to the even neighbour, whatever the floating-point
// environment's rounding mode is.
int RoundHalfEven(double value);

// The quantities one frame shares. Integer division truncates toward zero, so sizes below 20
// give a negative radius and the marks lie mirrored through the centre.
struct ClockFrame {
  int width = 0;      // W, the window's client width
  int height = 0;     // H
  int clockSize = 0;  // the clock's diameter
  int cx = 0;         // W div 2 + 1
  int cy = 0;         // H div 2 + 1
  int radius = 0;     // R = clockSize div 2 - 10, the radius of the minute beads
};
ClockFrame MakeClockFrame(int width, int height, int clockSize);

// Box of the outer ring (drawn with the 3-pixel pen) and of the inner ring (1-pixel pen).
Box OuterRingBox(const ClockFrame& frame);
Box InnerRingBox(const ClockFrame& frame);

constexpr int kMinuteBeadCount = 60;
constexpr int kHourBeadCount = 12;
constexpr int kQuarterBeadCount = 4;
// Minute, hour and quarter beads, then the centre bead.
constexpr int kBeadCount = kMinuteBeadCount + kHourBeadCount + kQuarterBeadCount + 1;
constexpr int kBeadSize = 3;

// Top-left corners of the beads in drawing order: 60 minute beads at radius R, 12 hour beads at
// R - 5, 4 quarter beads at R - 10, and last the centre bead at (cx, cy), which is drawn after
// the hands.
std::array<Point, kBeadCount> BeadPositions(const ClockFrame& frame);

// One hand: its angle in radians from +x toward +y (downwards), the length of its tail behind
// the centre, and its width b.
struct Hand {
  double angle = 0.0;
  int tail = 0;
  int width = 0;
};

// The hour, minute and second hands, in drawing order, for a time of day (hour 0 to 23).
std::array<Hand, 3> ClockHands(const ClockFrame& frame, int hour, int minute, int second);

// P0 the tail, P1 the side point 45 degrees counter-clockwise, P2 the tip at R - 8, P3 the
// other side point; drawn as P0-P1-P2-P3-P0.
using HandOutline = std::array<Point, 4>;
HandOutline MakeHandOutline(const ClockFrame& frame, double angle, int tail, int k);

// One outline of a hand and the pen it takes: light = the 1-pixel LightColor pen, otherwise the
// 3-pixel SurfaceColor pen.
struct HandStroke {
  HandOutline outline;
  bool light = false;
};

// The outlines of a hand in drawing order: k = 0 to b - 2 with the surface pen (none when b is
// below 2), then k = b with the light pen. k = b - 1 is never drawn.
std::vector<HandStroke> HandStrokes(const ClockFrame& frame, const Hand& hand);

constexpr int kInitialClockSize = 400;
constexpr int kClockSizeUpperBound = 512;
constexpr int kClockSizeLowerBound = 4;
// The slowest Speed: the clock keeps its size.
constexpr std::int32_t kSteadySpeed = 50;

// One tick of the pulse: unless speed is 50, grows by 4 or shrinks by 2, and turns round once a
// step has gone past 512 or below 4. No size is clamped: from 400 it swings between 2 and 514.
void AdvanceClockPulse(std::int32_t& clockSize, bool& clockGrowing, std::int32_t speed);

}  // namespace velmora
