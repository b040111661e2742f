#pragma once
#include <cstdint>
#include <vector>

#include "ports/Platform.h"
#include "runtime/Form.h"
#include "runtime/Timer.h"

namespace rp {

// The "Eye Break" window: it rises at the bottom right of the work area of the monitor that
// holds the pointer, counts 20 seconds down while the user looks away, sinks back and closes.
// It takes neither the focus nor any input; its close box closes it at once. Where another
// monitor lies right below, the window would rise through that one: it appears and leaves at
// its place instead.
class FormEyeBreak : public Form {
 public:
  explicit FormEyeBreak(Platform& platform);
  ~FormEyeBreak() override;

  Control& Label1;  // "Look at something far away"
  Control& Label2;  // the seconds left
  Timer Timer1;     // movement
  Timer Timer2;     // the countdown

  // Where it rests fully shown, and where it rises from and sinks back to.
  std::int32_t RestTop = 0;
  std::int32_t StartTop = 0;
  std::int32_t SecondsLeft = 0;
  bool Leaving = false;

  // Opens the window on the monitor with the pointer and sets it going; false, and nothing
  // shown, without monitors.
  bool Appear();

  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void Timer1_Timer();
  void Timer2_Timer();

 private:
  void Step();
  void Tick();

  Monitors& monitorsPort_;
  std::vector<MonitorInfo> monitors_;
};

}  // namespace rp
