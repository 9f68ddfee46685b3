// The clock's two rings as pixels, drawn without GDI: the outer ring (the box OuterRingBox, a
// solid pen 3 pixels wide) and the inner ring (InnerRingBox, a 1-pixel pen), both filled with
// the background, the inner one drawn over the outer. The pixels are those the Windows GDI of
// our test systems (Wine's) draws for Ellipse with these pens:
// - a 1-pixel ellipse in a box w pixels wide (w >= 2) has, in coordinates doubled about the
//   box's centre, the pixels at distance k from each axis nearest to the circle of radius
//   w - 1, taken column by column and row by row, ties going inwards; its fill is every pixel
//   between the outline's ends in each row; boxes under 2 pixels draw nothing;
// - the 3-pixel pen covers the same outline walked as a closed polyline, each one-pixel step
//   leaving a fixed footprint (a box 1 pixel wide gives a single point, a plus sign).
// Boxes given right to left or bottom to top are taken as their mirror, as GDI does.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora {

// The clock sizes whose rings RingRuns gives, checked pixel for pixel against GDI.
constexpr int kLargestRasterisedRing = 600;

enum class RingInk : std::uint8_t { kLight, kSurface };

// A horizontal run of ring pixels: row y, columns left to right - 1, relative to the clock's
// corner (L, T) = ((W - size) div 2, (H - size) div 2).
struct RingRun {
  int y = 0;
  int left = 0;
  int right = 0;
  RingInk ink = RingInk::kLight;
  bool operator==(const RingRun& other) const {
    return y == other.y && left == other.left && right == other.right && ink == other.ink;
  }
};

// The non-background pixels of the two rings of a clock of this size (0 to
// kLargestRasterisedRing): LightColor for the outer ring, SurfaceColor for the inner one.
// Every other pixel the two ellipses touch is background. Runs do not overlap; rows ascend.
std::vector<RingRun> RingRuns(int clockSize);

}  // namespace velmora
