// Timers: window timers of the owner form under the component's identifier; no window of their
// own.
#include "ui/Form.h"
#include "ui/kinds/Kinds.h"

namespace velmora::kinds {

namespace {

class TTimerComponent : public TComponent {
 public:
  TTimerComponent(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
      : TComponent(owner, layout, parent, id), interval_(layout.props.interval), enabled_(layout.props.timerEnabled) {}
  ~TTimerComponent() override {
    if (Owner().Handle() != nullptr) KillTimer(Owner().Handle(), Id());
  }

  bool IsWindowedControl() const override { return false; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { SetTimerEnabled(enabled); }

  unsigned Interval() const override { return interval_; }

  void SetInterval(unsigned milliseconds) override {
    interval_ = milliseconds;
    if (enabled_) Start();
  }

  bool TimerEnabled() const override { return enabled_; }

  void SetTimerEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled) {
      Start();
    } else if (Owner().Handle() != nullptr) {
      KillTimer(Owner().Handle(), Id());
    }
  }

  bool Elapsed() override {
    if (enabled_ && OnTimer) OnTimer();
    return true;
  }

  void Loaded() override { Start(); }

 protected:
  void Create() override {}

 private:
  // (Re)starts the window timer when enabled with an interval.
  void Start() {
    if (Owner().Handle() == nullptr) return;
    KillTimer(Owner().Handle(), Id());
    if (enabled_ && interval_ > 0) SetTimer(Owner().Handle(), Id(), interval_, nullptr);
  }

  unsigned interval_;
  bool enabled_;
};

}  // namespace

std::unique_ptr<TComponent> MakeTimer(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id) {
  return std::make_unique<TTimerComponent>(owner, layout, parent, id);
}

}  // namespace velmora::kinds
