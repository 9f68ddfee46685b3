// Timers: window timers of the owner form under the component's identifier; no window of their
// own.
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

TTimer::TTimer(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id), interval_(layout.props.interval), enabled_(layout.props.timerEnabled) {}

TTimer::~TTimer() {
  if (Owner().Handle() != nullptr) KillTimer(Owner().Handle(), Id());
}

void TTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  if (enabled_) Start();
}

void TTimer::SetTimerEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    Start();
  } else if (Owner().Handle() != nullptr) {
    KillTimer(Owner().Handle(), Id());
  }
}

bool TTimer::Elapsed() {
  if (enabled_ && OnTimer) OnTimer();
  return true;
}

void TTimer::Start() {
  if (Owner().Handle() == nullptr) return;
  KillTimer(Owner().Handle(), Id());
  if (enabled_ && interval_ > 0) SetTimer(Owner().Handle(), Id(), interval_, nullptr);
}

}  // namespace velmora
