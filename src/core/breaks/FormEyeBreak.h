#pragma once
#include <cstdint>

#include "breaks/CornerWindow.h"

namespace rp {

// The "Eye Break" window: it rises at the bottom right of the monitor with the pointer, counts
// 20 seconds down while the user looks away, sinks back and closes. It takes no input; its
// close box closes it at once.
class FormEyeBreak : public CornerWindow {
 public:
  explicit FormEyeBreak(Platform& platform);
  ~FormEyeBreak() override;

  Control& Label1;  // "Look at something far away"
  Control& Label2;  // the seconds left
  Timer Timer2;     // the countdown

  std::int32_t SecondsLeft = 0;

  bool Appear();

  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void Timer2_Timer();

 private:
  void Arrived() override;
  void Tick();
};

}  // namespace rp
