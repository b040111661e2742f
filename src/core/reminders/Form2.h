#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "ports/Platform.h"
#include "runtime/Form.h"
#include "runtime/Timer.h"

namespace rp {

class Main;

// The "Break!" window. At a break it slides up from below the bottom edge of the screen at the
// right, rests there for as many seconds as the main window's minutes box holds, slides back
// down and closes itself. The pointer over it holds it up; its close button closes it at once.
// Whenever it closes it sets BreakWindowClosed, which ends the main window's wait.
class Form2 : public Form {
 public:
  // `stayText`: the minutes box's text, read afresh every second (the user may change it
  // meanwhile); `breakWindowClosed`: the flag the break waits on; `closed`: told last, once closed.
  Form2(Platform& platform, Main& main, std::function<std::string()> stayText, bool& breakWindowClosed,
        std::function<void()> closed);
  ~Form2() override;

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

  Platform& platform_;
  Main& main_;
  std::function<std::string()> stayText_;
  bool& breakWindowClosed_;
  std::function<void()> closed_;
  void StartLeaving();
  // The timer handlers report nothing; after a failure the window still goes, so the break ends.
  void LeaveAfterFailure();
  void CloseAfterFailure();
  void StopTimers();
};

}  // namespace rp
