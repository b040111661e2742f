#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "ports/Platform.h"
#include "runtime/Form.h"
#include "runtime/Timer.h"

namespace rp {

// A small window that rises at the bottom right of the work area of the monitor that holds the
// pointer, rests there and sinks back when it is done (the eye break, the warning before a
// break). It takes neither the focus nor the keyboard from the user's work and stays on top.
// Where another monitor lies right below, the window would rise through that one: it appears
// and leaves at its place instead.
class CornerWindow : public Form {
 public:
  CornerWindow(Platform& platform, std::string_view name, int width, int height);
  ~CornerWindow() override;

  Timer Timer1;  // movement

  // Where it rests fully shown, and where it rises from and sinks back to.
  std::int32_t RestTop = 0;
  std::int32_t StartTop = 0;
  bool Leaving = false;

  // Opens the window on the monitor with the pointer and sets it rising; false, and nothing
  // shown, without monitors.
  bool Appear();

  void Form_QueryUnload(int& cancel, int reason) override;
  void Timer1_Timer();

 protected:
  // Puts the window at its corner, below it when it rises: from the window's Form_Load.
  void PlaceInCorner();
  // It has risen to its place.
  virtual void Arrived() {}
  // Sinks back and closes.
  void Leave();

 private:
  void Step();

  Monitors& monitorsPort_;
  std::vector<MonitorInfo> monitors_;
};

}  // namespace rp
