// The preview's centring and its shrink-and-grow cycle.
#include "core/PreviewPulse.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

constexpr int kPictureWidth = 87;
constexpr int kPictureHeight = 88;

TEST(PreviewPulse, BaseIsCentredAndCurrentStartsThere) {
  const TPreviewPulse pulse(152, 112, kPictureWidth, kPictureHeight);
  // (152 - 87) / 2 = 32, (112 - 88) / 2 = 12.
  EXPECT_EQ(pulse.Base(), (TPulseRect{32, 12, 119, 100}));
  EXPECT_EQ(pulse.Current(), pulse.Base());
  EXPECT_EQ(pulse.Step(), -1);
}

TEST(PreviewPulse, HostSmallerThanThePictureTruncatesTowardZero) {
  // (84 - 87) / 2 = -3 / 2 = -1 (not -2); (83 - 88) / 2 = -5 / 2 = -2 (not -3).
  const TPreviewPulse pulse(84, 83, kPictureWidth, kPictureHeight);
  EXPECT_EQ(pulse.Base(), (TPulseRect{-1, -2, 86, 86}));
  const TPreviewPulse tiny(0, 0, kPictureWidth, kPictureHeight);
  EXPECT_EQ(tiny.Base(), (TPulseRect{-43, -44, 44, 44}));
}

TEST(PreviewPulse, FirstFrameIsOnePixelSmallerOnEverySide) {
  TPreviewPulse pulse(152, 112, kPictureWidth, kPictureHeight);
  EXPECT_EQ(pulse.NextFrame(), (TPulseRect{33, 13, 118, 99}));
  EXPECT_EQ(pulse.Current().Width(), 85);
  EXPECT_EQ(pulse.Current().Height(), 86);
}

TEST(PreviewPulse, OnePulseIsSixtySixFrames) {
  TPreviewPulse pulse(152, 112, kPictureWidth, kPictureHeight);
  std::vector<int> widths;
  std::vector<TPulseRect> frames;
  for (int frame = 0; frame < 132; ++frame) {
    frames.push_back(pulse.NextFrame());
    widths.push_back(frames.back().Width());
    EXPECT_EQ(frames.back().Height(), widths.back() + 1);
  }
  // Shrinking: 85, 83, ... 23 in frames 1 to 32.
  for (int frame = 1; frame <= 32; ++frame) EXPECT_EQ(widths[frame - 1], 87 - 2 * frame);
  // Growing: 25, 27, ... 89 in frames 33 to 65.
  for (int frame = 33; frame <= 65; ++frame) EXPECT_EQ(widths[frame - 1], 23 + 2 * (frame - 32));
  // Frame 66 is 87 again and frame 67 repeats frame 1.
  EXPECT_EQ(widths[65], 87);
  EXPECT_EQ(frames[65], pulse.Base());
  for (int frame = 0; frame < 66; ++frame) EXPECT_EQ(frames[frame + 66], frames[frame]);
  // Extremes: 23 by 24 is the smallest, 89 by 90 (one pixel beyond B on every side) the largest.
  EXPECT_EQ(frames[31], (TPulseRect{64, 44, 87, 68}));
  EXPECT_EQ(frames[64], (TPulseRect{31, 11, 120, 101}));
}

TEST(PreviewPulse, StepTurnsAtTheBoundaries) {
  TPreviewPulse pulse(152, 112, kPictureWidth, kPictureHeight);
  for (int frame = 1; frame <= 32; ++frame) pulse.NextFrame();
  // Width 23 < 24: turns to growing.
  EXPECT_EQ(pulse.Step(), -1);
  pulse.NextFrame();
  EXPECT_EQ(pulse.Step(), 1);
  EXPECT_EQ(pulse.Current().Width(), 25);
  // Width 25 is not below 24, and at width 24 or more it keeps shrinking: with a 24-wide picture
  // the first frame shrinks to 22.
  TPreviewPulse narrow(100, 100, 24, 24);
  EXPECT_EQ(narrow.NextFrame().Width(), 22);
  EXPECT_EQ(narrow.NextFrame().Width(), 24);
  EXPECT_EQ(narrow.NextFrame().Width(), 26);
  // D.Left equal to B.Left does not turn; one pixel left of it does.
  EXPECT_EQ(narrow.Current().Left, narrow.Base().Left - 1);
  EXPECT_EQ(narrow.NextFrame().Width(), 24);
  TPreviewPulse wide(100, 100, 23, 23);
  // A picture narrower than 24 grows at once.
  EXPECT_EQ(wide.NextFrame().Width(), 25);
  EXPECT_EQ(wide.NextFrame().Width(), 23);
}

}  // namespace
}  // namespace velmora
