#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "settings/ManagedSettings.h"
#include "ports/EventLoop.h"
#include "ports/WallClock.h"
#include "settings/WorkingHours.h"

namespace rp {

inline constexpr std::string_view kPausedUntilSetting = "Paused Until";
// The longest pause a user can ask for, in minutes: a day.
inline constexpr int kMaxPauseMinutes = 24 * 60;

// Why the countdown stands still at the user's word.
enum class SteerHold { None, Paused, OutsideWorkingHours };

// What a countdown tick does, given the pause and the working hours.
enum class SteerPlan {
  Count,        // nothing holds the countdown
  Hold,         // count nothing
  StartAfresh,  // a hold has just ended: the period starts from zero
};

// The end of a pause for `minutes` from `now`, on the whole minute.
LocalDateTime PauseEnd(const LocalDateTime& now, int minutes);
// The end of a pause "until tomorrow": the next 06:00, the morning after the night to come
// (or, after midnight, the one under way).
LocalDateTime TomorrowMorning(const LocalDateTime& now);
// A pause ends after `now` and at most 50 hours later: the longest pause, a day, with the clock
// set back as far as a change of time zone can since it began. Any other end is a mistake (a
// value typed into the store, a clock set back by days) and ends the pause.
bool PauseEndValid(const LocalDateTime& end, const LocalDateTime& now);

// The pause and the working hours. Both follow the wall clock, so they move with the time the
// user sees when the clock, the time zone or daylight saving changes: a pause ends when the
// clock shows its end. The pause is stored the moment it begins and removed when it ends. With
// no pause and no working hours the clock is never read.
class Steering {
 public:
  Steering(ManagedSettings& settings, WallClock& clock, EventLoop& loop)
      : settings_(settings), clock_(clock), loop_(loop) {}

  void SetWorkingHours(const WorkingHours& hours) { hours_ = hours; }
  // Takes up a stored pause that is still to come while reminding is on; removes any other.
  void Restore(bool reminding);
  void Pause(const LocalDateTime& until);
  // The pause ends (resumed, run out, or reminding stopped); nothing when there is none.
  void EndPause();
  bool Paused() const { return pausedUntil_.has_value(); }

  // Once a tick, before anything is counted.
  SteerPlan BeforeTick();
  SteerHold Holding() const { return holding_; }
  // Frame1's text while the countdown is held: "Reminders paused until 14:30",
  // "Outside working hours until Mon 08:00".
  std::string Caption() const;
  // The same for the tray icon's tip: "reminders paused until 14:30".
  std::string TipText() const;

 private:
  // The wall clock's time, read afresh only when the monotonic clock says a minute has turned
  // since the last reading: pauses and working hours change on whole minutes, and reading the
  // clock at every tick would cost more than the tick. A change of the clock is seen at the
  // next turn of a minute.
  LocalDateTime Now();
  std::string WorkStartDay() const;

  ManagedSettings& settings_;
  WallClock& clock_;
  EventLoop& loop_;
  std::optional<LocalDateTime> lastRead_;
  std::int64_t lastReadMs_ = 0;
  WorkingHours hours_;
  std::optional<LocalDateTime> pausedUntil_;
  SteerHold holding_ = SteerHold::None;
  std::string pauseEnd_;                      // "14:30", in the user's time format
  std::optional<LocalDateTime> workStarts_;  // the start the outside caption names
  std::string workStartTime_;
};

}  // namespace rp
