#pragma once
#include <cstdint>

#include "breaks/CornerWindow.h"
#include "exercises/Exercise.h"

namespace rp {

// The "Eye Break" window: it rises at the bottom right of the monitor with the pointer, counts
// 20 seconds down while the user looks away, sinks back and closes. It takes no input; its
// close box closes it at once. With an eye exercise it is larger: the exercise's picture
// beside its title and steps.
class FormEyeBreak : public CornerWindow {
 public:
  explicit FormEyeBreak(Platform& platform, const Exercise* exercise = nullptr);
  ~FormEyeBreak() override;

  Control& Label1;  // "Look at something far away", or the exercise's title
  Control& Label2;  // the seconds left
  // With an exercise: its picture (read out by its title) and its steps.
  Control* Picture1 = nullptr;
  Control* Label3 = nullptr;
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
