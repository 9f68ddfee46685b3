// The pace of the lock screen's animation: one step every `Speed` + 1 ms (no faster than the
// system's window timers), however often frames are drawn. Steps that come faster than the
// display shows frames are taken together, a frame's worth at a time, so that the screen gets at
// most one frame per refresh.
#pragma once
#include <cstdint>

namespace velmora {

// The shortest interval a window timer keeps: Windows and Wine raise shorter ones to it
// (USER_TIMER_MINIMUM), so a timer of Speed + 1 ms stepped every 10 ms at Speeds 0 to 9.
constexpr unsigned kShortestTimerInterval = 10;

// The time between two steps: Speed + 1 ms, never below kShortestTimerInterval, the pace the
// animation has always had. The dialog offers Speed 0 to 50; a stored value outside that range
// (damaged, or written by something else) takes the interval of the nearest end, 10 or 51 ms,
// instead of never stepping or overflowing. Only the pulse of the clock looks at Speed itself:
// it stops at exactly 50, so a larger value steps every 51 ms with the clock still pulsing.
unsigned StepInterval(std::int32_t speed);

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
