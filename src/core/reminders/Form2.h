#pragma once
#include <cstdint>

#include "runtime/Form.h"
#include "runtime/Timer.h"

namespace rp {

class Program;

// The "Break!" window. At a break it slides up from below the bottom edge of the screen at the
// right, rests there for as many seconds as the main window's minutes box holds, slides back
// down and closes itself. The pointer over it holds it up; its close button closes it at once.
// Whenever it closes it sets BreakWindowClosed, which ends the main window's wait.
class Form2 : public Form {
 public:
  explicit Form2(Program& program);
  ~Form2() override;

  Program& program;

  Control& Label1;
  Timer Timer1;  // movement
  Timer Timer2;  // stay

  // Set at load, cleared at the first activation, which starts the slide-in.
  bool FirstActivation = false;
  // The Top at which the window rests fully visible.
  std::int32_t RestTop = 0;
  // Seconds counted since the window came to rest or the pointer last restarted the stay.
  std::int32_t ShownSeconds = 0;
  // The next movement is downward; the first pointer movement over the window clears it.
  bool Leaving = false;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void Form_MouseMove() override;
  void Label1_MouseMove();
  void Timer1_Timer();
  void Timer2_Timer();

 private:
  // The stay in seconds, read afresh from the main window's minutes box.
  double StaySeconds() const;
  void StartLeaving();
  // The timer handlers report nothing; after a failure the window still goes, so the break ends.
  void LeaveAfterFailure();
  void CloseAfterFailure();
  void StopTimers();
};

}  // namespace rp
