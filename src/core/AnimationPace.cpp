#include "core/AnimationPace.h"

#include <algorithm>
#include <chrono>

#include "core/ClockGeometry.h"
#include "core/DisplayLine.h"

namespace velmora {

unsigned StepInterval(std::int32_t speed) {
  const unsigned interval = static_cast<unsigned>(std::clamp<std::int32_t>(speed, 0, kSteadySpeed)) + 1;
  return std::max(interval, kShortestTimerInterval);
}

unsigned FramePeriod(unsigned refreshRate) {
  if (refreshRate <= 1) refreshRate = 60;
  return (1000 + refreshRate - 1) / refreshRate;
}

std::uint64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

AnimationPace::AnimationPace(unsigned interval, unsigned framePeriod)
    : interval_(interval > 0 ? interval : 1), framePeriod_(framePeriod) {}

unsigned AnimationPace::TimerPeriod() const { return interval_ >= framePeriod_ ? interval_ : framePeriod_; }

void AnimationPace::Start(std::uint64_t now) {
  start_ = now;
  done_ = 0;
}

std::uint64_t AnimationPace::StepsDue(std::uint64_t now) {
  if (interval_ >= framePeriod_) return 1;
  const std::uint64_t due = now > start_ ? (now - start_) / interval_ : 0;
  const std::uint64_t steps = due > done_ ? due - done_ : 0;
  done_ += steps;
  return steps;
}

void AdvanceAnimation(AnimationState& state, std::uint64_t steps, std::int32_t speed, int textWidth, int windowWidth) {
  for (std::uint64_t step = 0; step < steps; ++step) {
    AdvanceClockPulse(state.clockSize, state.clockGrowing, speed);
    state.messagePosition = AdvanceMessagePosition(state.messagePosition, textWidth, windowWidth);
  }
}

}  // namespace velmora
