// Timers: window timers of the owner form under the component's identifier; no window of their
// own.
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

TTimer::TTimer(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id),
      interval_(OptionsOf<Options>().interval),
      enabled_(OptionsOf<Options>().enabled) {
  Start();
}

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

LRESULT TTimer::Reflect(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_TIMER && wParam == static_cast<WPARAM>(Id()) && enabled_) Run(OnTimer);
  return 0;
}

void TTimer::Start() {
  if (Owner().Handle() == nullptr) return;
  KillTimer(Owner().Handle(), Id());
  if (enabled_ && interval_ > 0) SetTimer(Owner().Handle(), Id(), interval_, nullptr);
}

}  // namespace velmora
