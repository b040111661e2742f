#pragma once
#include <cstdint>
#include <string_view>

namespace rp {

class Main;

// One period between breaks: its length and the seconds counted in it.
class Countdown {
 public:
  std::int32_t IntervalSeconds = 0;
  std::int32_t ElapsedSeconds = 0;

  void SetInterval(std::int32_t seconds);
  // The period from a number of minutes as the user typed it; throws when it does not fit 16
  // bits. Without any period yet, `standInMinutes` is the period first: otherwise every tick
  // would fail.
  void SetMinutes(Main& main, std::string_view minutes, std::int16_t standInMinutes);
  // The period from the minutes box: a text that is no number is one minute, and false says
  // that the box should read "1".
  bool ReadMinutes(Main& main, std::string_view minutes, std::int16_t standInMinutes);
  std::int32_t SecondsLeft() const { return IntervalSeconds - ElapsedSeconds; }

 private:
  // True once a period was set: by start-up, a start or the minutes box.
  bool set_ = false;
};

}  // namespace rp
