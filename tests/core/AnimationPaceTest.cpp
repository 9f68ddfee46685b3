#include "core/AnimationPace.h"

#include <gtest/gtest.h>

#include "core/ClockGeometry.h"

namespace velmora {
namespace {

AnimationState Single(AnimationState state, std::uint64_t steps, std::int32_t speed) {
  for (std::uint64_t step = 0; step < steps; ++step) AdvanceAnimation(state, 1, speed, 300, 1280);
  return state;
}

// Frames come about every 17 ms, some late; after each the state is that of the steps due so far.
TEST(AnimationPace, AfterTMillisecondsTheStateIsThatOfTDivIntervalSteps) {
  for (const std::int32_t speed : {0, 5, 15}) {
    const unsigned interval = static_cast<unsigned>(speed) + 1;
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
