#include "core/AnimationPace.h"

#include <gtest/gtest.h>

#include "core/ClockGeometry.h"

namespace velmora {
namespace {

AnimationState Single(AnimationState state, std::uint64_t steps, std::int32_t speed) {
  for (std::uint64_t step = 0; step < steps; ++step) AdvanceAnimation(state, 1, speed, 300, 1280);
  return state;
}

TEST(AnimationPace, AStepEverySpeedPlusOneMillisecondsAndTenAtLeast) {
  const std::int32_t speeds[] = {-7, 0, 8, 9, 10, 15, 50, 51, 2147483647};
  const unsigned intervals[] = {10, 10, 10, 10, 11, 16, 51, 51, 51};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(StepInterval(speeds[i]), intervals[i]) << speeds[i];
}

// Frames come about every 17 ms, some late; after each the state is that of the steps due so far.
TEST(AnimationPace, AfterTMillisecondsTheStateIsThatOfTDivIntervalSteps) {
  for (const std::int32_t speed : {0, 10, 15}) {
    const unsigned interval = StepInterval(speed);
    AnimationPace pace(interval, FramePeriod(60));
    EXPECT_EQ(pace.TimerPeriod(), 17u);
    const AnimationState start{400, false, 5};
    AnimationState state = start;
    pace.Start(1000);
    // 2,000 ms take the clock through both turns (down to 2, up past 512) and wrap the message.
    for (std::uint64_t t = 0; t <= 2000; t += (t % 5 == 0 ? 17 : 40)) {
      AdvanceAnimation(state, pace.StepsDue(1000 + t), speed, 300, 1280);
      const AnimationState expected = Single(start, t / interval, speed);
      ASSERT_EQ(state.clockSize, expected.clockSize) << "speed " << speed << " at " << t << " ms";
      ASSERT_EQ(state.clockGrowing, expected.clockGrowing);
      ASSERT_EQ(state.messagePosition, expected.messagePosition);
    }
  }
}

TEST(AnimationPace, StepsNoFasterThanFramesComeOnePerTick) {
  for (const unsigned interval : {17u, 51u}) {
    AnimationPace pace(interval, FramePeriod(60));
    EXPECT_EQ(pace.TimerPeriod(), interval);
    pace.Start(0);
    EXPECT_EQ(pace.StepsDue(10), 1u) << "whenever the timer fires";
  }
  EXPECT_EQ(FramePeriod(0), 17u) << "an unknown rate counts as 60 Hz";
  EXPECT_EQ(FramePeriod(144), 7u);
}

}  // namespace
}  // namespace velmora
