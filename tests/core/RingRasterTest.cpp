#include "core/RingRaster.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace velmora {
namespace {

using Pixels = std::map<std::pair<int, int>, RingInk>;  // (x, y) -> ink

Pixels PixelsOf(int clockSize) {
  Pixels pixels;
  for (const RingRun& run : RingRuns(clockSize)) {
    for (int x = run.left; x < run.right; ++x) {
      EXPECT_TRUE(pixels.emplace(std::make_pair(x, run.y), run.ink).second)
          << "size " << clockSize << ": runs overlap at " << x << "," << run.y;
    }
  }
  return pixels;
}

constexpr RingInk kL = RingInk::kLight;
constexpr RingInk kS = RingInk::kSurface;

// Size 4: the outer box (4, 4)-(5, 5) is one pixel wide, a single dot of the wide pen at (4, 4)
// that the inner ellipse covers. The inner box (7, 7)-(2, 2) turns over to (2, 2)-(7, 7): a
// circle 5 pixels wide, radius 4 in doubled coordinates. Column 0 and 4 of the box (X = -4, 4)
// meet it at Y = 0, columns 1 to 3 and rows 1 to 3 at the outer pixels.
TEST(RingRuns, SizeFourIsTheInnerCircleFivePixelsWide) {
  const std::vector<RingRun> expected = {
      {2, 3, 6, kS},                  // box row 0: columns 1 to 3
      {3, 2, 3, kS}, {3, 6, 7, kS},  // rows 1 to 3: columns 0 and 4, the fill between
      {4, 2, 3, kS}, {4, 6, 7, kS},
      {5, 2, 3, kS}, {5, 6, 7, kS},
      {6, 3, 6, kS},
  };
  EXPECT_EQ(RingRuns(4), expected);
}

// Size 12: the inner box (7, 7)-(10, 10) is a diamond of four pixels round a background centre;
// the wide pen's top row, above the outer box (4, 4)-(13, 13), covers columns 7 to 11: the dots
// round the top outline pixels 7 to 9 and the step down to the right from (9, 4) to (10, 5).
TEST(RingRuns, SizeTwelveInnerDiamondAndTheWidePensTopRow) {
  const Pixels pixels = PixelsOf(12);
  const std::vector<std::pair<int, int>> diamond = {{8, 7}, {7, 8}, {9, 8}, {8, 9}};
  for (const auto& p : diamond) {
    ASSERT_EQ(pixels.count(p), 1u) << p.first << "," << p.second;
    EXPECT_EQ(pixels.at(p), kS) << p.first << "," << p.second;
  }
  EXPECT_EQ(pixels.count({8, 8}), 0u);
  const std::vector<RingRun> runs = RingRuns(12);
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs.front(), (RingRun{3, 7, 12, kL}));
  EXPECT_EQ(runs[1].y, 4);
}

// The pens are symmetric about the boxes' middle row (y -> size + 4 - y) at every size, the
// inner ring also about the middle column and the diagonal; the wide pen is not symmetric left
// to right, so the light pixels are not either.
TEST(RingRuns, InnerRingIsSymmetricBothWaysAndBothRingsTopToBottom) {
  std::vector<int> sizes;
  for (int size = 0; size <= 40; ++size) sizes.push_back(size);
  for (int size = 41; size <= kLargestRasterisedRing; size += 37) sizes.push_back(size);
  sizes.push_back(514);
  for (int size : sizes) {
    const Pixels pixels = PixelsOf(size);
    const int mirror = size + 4;
    for (const auto& [at, ink] : pixels) {
      const auto [x, y] = at;
      auto expectAt = [&](int mx, int my, const char* what) {
        const auto found = pixels.find({mx, my});
        ASSERT_TRUE(found != pixels.end() && found->second == ink)
            << "size " << size << ": " << x << "," << y << " has no " << what << " at " << mx << "," << my;
      };
      expectAt(x, mirror - y, "twin below");
      if (ink == kS) {
        expectAt(mirror - x, y, "twin across");
        expectAt(y, x, "twin over the diagonal");
      }
    }
  }
}

TEST(RingRuns, RowsAscendAndSizesOutsideTheRangeGiveNothing) {
  for (int size : {0, 1, 2, 3, 9, 10, 11, 400, 514, kLargestRasterisedRing}) {
    const std::vector<RingRun> runs = RingRuns(size);
    for (std::size_t i = 1; i < runs.size(); ++i) EXPECT_LE(runs[i - 1].y, runs[i].y) << "size " << size;
  }
  EXPECT_FALSE(RingRuns(kLargestRasterisedRing).empty());
  EXPECT_TRUE(RingRuns(-1).empty());
  EXPECT_TRUE(RingRuns(kLargestRasterisedRing + 1).empty());
}

}  // namespace
}  // namespace velmora
