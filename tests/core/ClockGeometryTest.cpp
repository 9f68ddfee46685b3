#include "core/ClockGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Window 1280x1024: cx = 641, cy = 513.
ClockFrame Frame(int clockSize) { return MakeClockFrame(1280, 1024, clockSize); }

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-2.5001), -3);
  EXPECT_EQ(RoundHalfEven(-2.4999), -2);
  EXPECT_EQ(RoundHalfEven(-0.2), 0);
  EXPECT_EQ(RoundHalfEven(7.0), 7);
  EXPECT_EQ(RoundHalfEven(-7.0), -7);
}

TEST(ClockFrame, CentreAndRadius) {
  const ClockFrame frame = Frame(400);
  EXPECT_EQ(frame.cx, 641);
  EXPECT_EQ(frame.cy, 513);
  EXPECT_EQ(frame.radius, 190);
  EXPECT_EQ(MakeClockFrame(1279, 1023, 400).cx, 640);
  EXPECT_EQ(MakeClockFrame(1279, 1023, 400).cy, 512);
  EXPECT_EQ(Frame(514).radius, 247);
  EXPECT_EQ(Frame(21).radius, 0);
  EXPECT_EQ(Frame(20).radius, 0);
  EXPECT_EQ(Frame(19).radius, -1);
  EXPECT_EQ(Frame(7).radius, -7);
  EXPECT_EQ(Frame(2).radius, -9);
}

TEST(RingBoxes, Size400) {
  // L = (1280 - 400) div 2 = 440, T = (1024 - 400) div 2 = 312.
  EXPECT_EQ(OuterRingBox(Frame(400)), (Box{444, 316, 841, 713}));
  EXPECT_EQ(InnerRingBox(Frame(400)), (Box{447, 319, 838, 710}));
}

TEST(RingBoxes, Sizes514And2) {
  // L = 383, T = 255.
  EXPECT_EQ(OuterRingBox(Frame(514)), (Box{387, 259, 898, 770}));
  EXPECT_EQ(InnerRingBox(Frame(514)), (Box{390, 262, 895, 767}));
  // L = 639, T = 511: the boxes turn inside out and are kept so.
  EXPECT_EQ(OuterRingBox(Frame(2)), (Box{643, 515, 642, 514}));
  EXPECT_EQ(InnerRingBox(Frame(2)), (Box{646, 518, 639, 511}));
}

TEST(RingBoxes, DivisionTruncatesTowardZeroWhenTheClockIsWiderThanTheWindow) {
  // (300 - 401) div 2 = -50 (flooring would give -51).
  EXPECT_EQ(OuterRingBox(MakeClockFrame(300, 300, 401)), (Box{-46, -46, 352, 352}));
}

TEST(BeadPositions, CountsAndOrder) {
  const auto beads = BeadPositions(Frame(400));
  ASSERT_EQ(beads.size(), 77u);
  // Minute bead 0: θ = 9 · 2π/60 = 54°; cos·190 = 111.68 -> 112, sin·190 = 153.71 -> 154.
  EXPECT_EQ(beads[0], (Point{641 - 112, 513 - 154}));
  // Minute beads 6, 21, 36, 51 point up, right, down, left.
  EXPECT_EQ(beads[6], (Point{641, 323}));
  EXPECT_EQ(beads[21], (Point{831, 513}));
  EXPECT_EQ(beads[36], (Point{641, 703}));
  EXPECT_EQ(beads[51], (Point{451, 513}));
  // Hour beads from index 60 at R - 5 = 185; hour bead 0: θ = 9 · 30° = 270°, pointing down.
  EXPECT_EQ(beads[60], (Point{641, 513 + 185}));
  EXPECT_EQ(beads[63], (Point{641 - 185, 513}));
  // Hour bead 1: θ = 300°; cos·185 = 92.5 (just above in doubles) -> 93, sin·185 = -160.21 -> -160.
  EXPECT_EQ(beads[61], (Point{641 - 93, 513 + 160}));
  // Quarter beads from index 72 at R - 10 = 180: up, right, down, left.
  EXPECT_EQ(beads[72], (Point{641, 333}));
  EXPECT_EQ(beads[73], (Point{821, 513}));
  EXPECT_EQ(beads[74], (Point{641, 693}));
  EXPECT_EQ(beads[75], (Point{461, 513}));
  // The centre bead comes last.
  EXPECT_EQ(beads[76], (Point{641, 513}));
}

TEST(BeadPositions, StepInwardsByFivePixelsAtTheQuarters) {
  const auto beads = BeadPositions(Frame(400));
  // Twelve o'clock: minute bead 6 (90°), hour bead 6 (450°), quarter bead 0 (810°).
  EXPECT_EQ(beads[6], (Point{641, 323}));
  EXPECT_EQ(beads[60 + 6], (Point{641, 328}));
  EXPECT_EQ(beads[72 + 0], (Point{641, 333}));
  // Three o'clock: minute bead 21, hour bead 9, quarter bead 1.
  EXPECT_EQ(beads[21], (Point{831, 513}));
  EXPECT_EQ(beads[60 + 9], (Point{826, 513}));
  EXPECT_EQ(beads[72 + 1], (Point{821, 513}));
}

TEST(BeadPositions, NegativeRadiusMirrorsThroughTheCentre) {
  // Size 2: R = -9, so the bead that sits on top at size 400 lies below the centre.
  const auto beads = BeadPositions(Frame(2));
  EXPECT_EQ(beads[6], (Point{641, 522}));
  EXPECT_EQ(beads[21], (Point{632, 513}));
  EXPECT_EQ(beads[66], (Point{641, 527}));  // R - 5 = -14
  EXPECT_EQ(beads[72], (Point{641, 532}));  // R - 10 = -19
  EXPECT_EQ(beads[76], (Point{641, 513}));
}

TEST(ClockHands, TailsAndWidths) {
  auto hands = ClockHands(Frame(400), 0, 0, 0);
  // (15 · 190) div 80 = 35, (30 · 190) div 80 = 71; widths 400 div 20 = 20, 400 div 35 = 11, 2.
  EXPECT_EQ(hands[0].tail, 35);
  EXPECT_EQ(hands[0].width, 20);
  EXPECT_EQ(hands[1].tail, 71);
  EXPECT_EQ(hands[1].width, 11);
  EXPECT_EQ(hands[2].tail, 71);
  EXPECT_EQ(hands[2].width, 2);

  hands = ClockHands(Frame(514), 0, 0, 0);
  EXPECT_EQ(hands[0].tail, 46);  // 3705 / 80 = 46.3
  EXPECT_EQ(hands[0].width, 25);
  EXPECT_EQ(hands[1].tail, 92);  // 7410 / 80 = 92.6
  EXPECT_EQ(hands[1].width, 14);

  // Size 2: R = -9; -135 div 80 = -1 and -270 div 80 = -3 (truncated toward zero).
  hands = ClockHands(Frame(2), 0, 0, 0);
  EXPECT_EQ(hands[0].tail, -1);
  EXPECT_EQ(hands[0].width, 0);
  EXPECT_EQ(hands[1].tail, -3);
  EXPECT_EQ(hands[1].width, 0);
  EXPECT_EQ(hands[2].width, 2);
}

TEST(ClockHands, Angles) {
  const ClockFrame frame = Frame(400);
  auto hands = ClockHands(frame, 12, 0, 0);
  EXPECT_DOUBLE_EQ(hands[0].angle, 21 * 2 * kPi / 12);
  hands = ClockHands(frame, 0, 0, 0);
  EXPECT_DOUBLE_EQ(hands[0].angle, 1.5 * kPi);
  EXPECT_DOUBLE_EQ(hands[1].angle, 1.5 * kPi);
  EXPECT_DOUBLE_EQ(hands[2].angle, 1.5 * kPi);
  // The hour hand moves on with the minutes: 06:30 is 15.5 twelfths of a turn.
  hands = ClockHands(frame, 6, 30, 15);
  EXPECT_DOUBLE_EQ(hands[0].angle, 15.5 * 2 * kPi / 12);
  EXPECT_DOUBLE_EQ(hands[1].angle, 75 * 2 * kPi / 60);
  EXPECT_DOUBLE_EQ(hands[2].angle, 60 * 2 * kPi / 60);
}

// The tip of a hand's outline: P2.
Point Tip(const ClockFrame& frame, const Hand& hand) { return MakeHandOutline(frame, hand.angle, hand.tail, 0)[2]; }

TEST(HandOutline, TwelveOClockAllHandsPointUp) {
  const ClockFrame frame = Frame(400);
  for (int hour : {0, 12}) {
    const auto hands = ClockHands(frame, hour, 0, 0);
    for (const Hand& hand : hands) {
      EXPECT_EQ(Tip(frame, hand), (Point{641, 513 - 182})) << "hour " << hour;  // R - 8 = 182
    }
  }
  const auto hands = ClockHands(frame, 0, 0, 0);
  // Hour hand, k = 0: tail 35 below the centre, both side points at the centre.
  const HandOutline hour = MakeHandOutline(frame, hands[0].angle, hands[0].tail, 0);
  EXPECT_EQ(hour[0], (Point{641, 548}));
  EXPECT_EQ(hour[1], (Point{641, 513}));
  EXPECT_EQ(hour[3], (Point{641, 513}));
  // k = 20: side points at 225° and 315°; 20 · 0.7071 = 14.14 -> 14.
  const HandOutline wide = MakeHandOutline(frame, hands[0].angle, hands[0].tail, 20);
  EXPECT_EQ(wide[1], (Point{627, 499}));
  EXPECT_EQ(wide[2], (Point{641, 331}));
  EXPECT_EQ(wide[3], (Point{655, 499}));
  // The minute and second hands' tails reach 71 below the centre.
  EXPECT_EQ(MakeHandOutline(frame, hands[1].angle, hands[1].tail, 0)[0], (Point{641, 584}));
}

TEST(HandOutline, ThreeOClock) {
  const ClockFrame frame = Frame(400);
  const auto hands = ClockHands(frame, 3, 0, 0);
  EXPECT_EQ(Tip(frame, hands[0]), (Point{641 + 182, 513}));
  EXPECT_EQ(MakeHandOutline(frame, hands[0].angle, hands[0].tail, 0)[0], (Point{641 - 35, 513}));
  EXPECT_EQ(Tip(frame, hands[1]), (Point{641, 331}));
  EXPECT_EQ(Tip(frame, hands[2]), (Point{641, 331}));
  // 15:00 reads the same.
  EXPECT_EQ(Tip(frame, ClockHands(frame, 15, 0, 0)[0]), (Point{823, 513}));
}

TEST(HandOutline, HalfPastSix) {
  const ClockFrame frame = Frame(400);
  const auto hands = ClockHands(frame, 6, 30, 0);
  // Hour hand at 105°, halfway between 6 (90°) and 7 (120°): cos·182 = -47.10 -> -47,
  // sin·182 = 175.80 -> 176.
  EXPECT_EQ(Tip(frame, hands[0]), (Point{594, 689}));
  // Minute hand straight down.
  EXPECT_EQ(Tip(frame, hands[1]), (Point{641, 695}));
}

TEST(HandOutline, NegativeRadiusPointsTheOtherWay) {
  const ClockFrame frame = Frame(2);  // R - 8 = -17
  const auto hands = ClockHands(frame, 0, 0, 0);
  const HandOutline hour = MakeHandOutline(frame, hands[0].angle, hands[0].tail, 0);
  EXPECT_EQ(hour[2], (Point{641, 530}));
  EXPECT_EQ(hour[0], (Point{641, 512}));  // tail -1
  EXPECT_EQ(MakeHandOutline(frame, hands[1].angle, hands[1].tail, 0)[0], (Point{641, 510}));
}

TEST(HandStrokes, SurfaceOutlinesUpToWidthMinusTwoThenTheLightOneAtTheWidth) {
  const ClockFrame frame = Frame(400);
  const Hand hour = ClockHands(frame, 0, 0, 0)[0];  // width 20
  const auto strokes = HandStrokes(frame, hour);
  ASSERT_EQ(strokes.size(), 20u);
  for (std::size_t k = 0; k < 19; ++k) {
    EXPECT_FALSE(strokes[k].light) << k;
    EXPECT_EQ(strokes[k].outline, MakeHandOutline(frame, hour.angle, hour.tail, static_cast<int>(k)));
  }
  EXPECT_TRUE(strokes[19].light);
  // k = 20 puts the side point at 14 pixels; k = 19 would give 13.
  EXPECT_EQ(strokes[19].outline[1], (Point{627, 499}));
}

TEST(HandStrokes, NarrowHands) {
  const ClockFrame frame = Frame(400);
  const Hand second = ClockHands(frame, 0, 0, 0)[2];  // width 2: k = 0, then k = 2
  auto strokes = HandStrokes(frame, second);
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_FALSE(strokes[0].light);
  EXPECT_EQ(strokes[0].outline[1], (Point{641, 513}));
  EXPECT_TRUE(strokes[1].light);
  EXPECT_EQ(strokes[1].outline[1], (Point{640, 512}));  // 2 · 0.7071 = 1.41 -> 1
  EXPECT_EQ(strokes[1].outline[3], (Point{642, 512}));

  for (int width : {0, 1}) {
    strokes = HandStrokes(frame, Hand{second.angle, 10, width});
    ASSERT_EQ(strokes.size(), 1u) << width;
    EXPECT_TRUE(strokes[0].light);
    EXPECT_EQ(strokes[0].outline, MakeHandOutline(frame, second.angle, 10, width));
  }
}

TEST(ClockPulse, ShrinksFrom400To2ThenGrowsTo514AndBack) {
  std::int32_t size = kInitialClockSize;
  bool growing = false;
  std::vector<std::int32_t> sizes;
  for (int tick = 0; tick < 583; ++tick) {
    AdvanceClockPulse(size, growing, 5);
    sizes.push_back(size);
  }
  EXPECT_EQ(sizes[0], 398);
  EXPECT_EQ(sizes[197], 4);   // 4 is not below the bound
  EXPECT_EQ(sizes[198], 2);   // 2 is, and turns the pulse round
  EXPECT_EQ(sizes[199], 6);
  EXPECT_EQ(sizes[325], 510);
  EXPECT_EQ(sizes[326], 514);  // past 512
  EXPECT_EQ(sizes[327], 512);
  EXPECT_EQ(sizes[581], 4);
  EXPECT_EQ(sizes[582], 2);
  EXPECT_TRUE(growing);
  EXPECT_EQ(*std::min_element(sizes.begin(), sizes.end()), 2);
  EXPECT_EQ(*std::max_element(sizes.begin(), sizes.end()), 514);
}

TEST(ClockPulse, BoundsThemselvesDoNotTurn) {
  std::int32_t size = 510;
  bool growing = true;
  AdvanceClockPulse(size, growing, 0);  // 514 > 512
  EXPECT_EQ(size, 514);
  EXPECT_FALSE(growing);
  size = 508;
  growing = true;
  AdvanceClockPulse(size, growing, 0);  // 512 is not past the bound
  EXPECT_EQ(size, 512);
  EXPECT_TRUE(growing);
}

TEST(ClockPulse, Speed50HoldsTheSize) {
  std::int32_t size = 400;
  bool growing = false;
  AdvanceClockPulse(size, growing, 50);
  EXPECT_EQ(size, 400);
  EXPECT_FALSE(growing);
  AdvanceClockPulse(size, growing, 49);
  EXPECT_EQ(size, 398);
}

}  // namespace
}  // namespace velmora
