#pragma once
#include <functional>

#include "ports/TimerService.h"

namespace rp {

// A window timer: it ticks every Interval() ms while enabled with an interval above 0.
class Timer {
 public:
  Timer(TimerService& service, std::function<void()> onTick);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Running() const { return enabled_ && interval_ > 0; }

  // From the platform: the interval has passed.
  void Tick();

 private:
  TimerService& service_;
  std::function<void()> onTick_;
  int interval_ = 0;
  bool enabled_ = true;
};

}  // namespace rp
