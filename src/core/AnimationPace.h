// The pace of the lock screen's animation: one step every `Speed` + 1 ms, however often frames
// are drawn. Steps that come faster than the display shows frames are taken together, a frame's
// worth at a time, so that the screen gets at most one frame per refresh.
#pragma once
#include <cstdint>

namespace velmora {

// The time between two frames at a display refresh rate in hertz, rounded up so that no two
// frames fall into one refresh; 60 Hz when the rate is unknown (0 or 1, as the system reports
// a default).
unsigned FramePeriod(unsigned refreshRate);

// Milliseconds of the system's steady clock, for AnimationPace.
std::uint64_t SteadyMilliseconds();

class AnimationPace {
 public:
  // `interval`: the milliseconds between two steps; `framePeriod`: the shortest time between
  // two frames.
  AnimationPace(unsigned interval, unsigned framePeriod);

  unsigned Interval() const { return interval_; }
  // How often the driving timer fires: every step when steps are no faster than frames, else
  // once per frame period.
  unsigned TimerPeriod() const;
  // Counts the steps from `now` (milliseconds on any clock that only goes forward).
  void Start(std::uint64_t now);
  // The steps due at a timer tick at `now` since the last tick: one per tick when the timer fires
  // every step; otherwise as many as make the steps since Start (now - start) div interval.
  std::uint64_t StepsDue(std::uint64_t now);

 private:
  unsigned interval_;
  unsigned framePeriod_;
  std::uint64_t start_ = 0;
  std::uint64_t done_ = 0;
};

// What one step moves: the clock's size and direction, and the message's position.
struct AnimationState {
  std::int32_t clockSize = 0;
  bool clockGrowing = false;
  std::int32_t messagePosition = 0;
};

// `steps` single steps: the clock pulses (unless `speed` is 50) and the message moves one pixel
// left each step, re-entering at windowWidth once its textWidth has left the window.
void AdvanceAnimation(AnimationState& state, std::uint64_t steps, std::int32_t speed, int textWidth, int windowWidth);

}  // namespace velmora
