#pragma once

namespace rp {

class Timer;

// Starts and stops the native timer behind a Timer model.
class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual void Update(Timer& timer) = 0;  // interval or enabled changed
  virtual void Forget(Timer& timer) = 0;  // the timer is going away
};

}  // namespace rp
