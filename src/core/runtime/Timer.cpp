#include "runtime/Timer.h"

namespace rp {

Timer::Timer(TimerService& service, std::function<void()> onTick)
    : service_(service), onTick_(std::move(onTick)) {}

Timer::~Timer() { service_.Forget(*this); }

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  service_.Update(*this);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  service_.Update(*this);
}

void Timer::Tick() {
  if (Running() && onTick_) onTick_();
}

}  // namespace rp
