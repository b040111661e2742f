#include "countdown/Steering.h"

#include "runtime/CivilTime.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

constexpr int kMorningHour = 6;
// A stored end is believed up to the longest pause ahead (1440 minutes, or "until tomorrow"
// at 06:00 sharp: a day) plus the widest step a change of time zone moves the clock back (from
// UTC+14 to UTC-12: 26 hours; daylight saving moves it less). Anything further off was typed
// into the store or comes from a clock set back by days.
constexpr std::int64_t kLongestPauseSeconds = std::int64_t{kMaxPauseMinutes} * 60;
constexpr std::int64_t kWidestClockStepSeconds = 26 * 60 * 60;

}  // namespace

LocalDateTime PauseEnd(const LocalDateTime& now, int minutes) {
  LocalDateTime end = AddMinutes(now, minutes);
  end.second = 0;
  return end;
}

LocalDateTime TomorrowMorning(const LocalDateTime& now) {
  LocalDateTime morning = StartOfDay(now);
  morning.hour = kMorningHour;
  return LocalSeconds(morning) > LocalSeconds(now) ? morning : NextDayAt(now, kMorningHour, 0);
}

bool PauseEndValid(const LocalDateTime& end, const LocalDateTime& now) {
  const std::int64_t ahead = LocalSeconds(end) - LocalSeconds(now);
  return ahead > 0 && ahead <= kLongestPauseSeconds + kWidestClockStepSeconds;
}

void Steering::Restore(bool reminding) {
  const std::optional<std::string> stored = settings_.UserValue(kPausedUntilSetting);
  if (!stored) return;
  const std::optional<LocalDateTime> until = ParseDateTimeText(*stored);
  if (reminding && until && PauseEndValid(*until, clock_.LocalNow()))
    Pause(*until);
  else
    settings_.Remove(kPausedUntilSetting);
}

void Steering::Pause(const LocalDateTime& until) {
  pausedUntil_ = until;
  settings_.Save(kPausedUntilSetting, DateTimeText(until));
  pauseEnd_ = clock_.FormatTimeOfDay(until.hour, until.minute);
  holding_ = SteerHold::Paused;
}

void Steering::EndPause() {
  if (!pausedUntil_) return;
  pausedUntil_.reset();
  settings_.Remove(kPausedUntilSetting);
  if (holding_ == SteerHold::Paused) holding_ = SteerHold::None;
}

LocalDateTime Steering::Now() {
  const std::int64_t ms = loop_.NowMs();
  if (lastRead_) {
    const std::int64_t read = LocalSeconds(*lastRead_);
    const std::int64_t since = read + (ms - lastReadMs_) / 1000;
    if (since / 60 == read / 60) return FromLocalSeconds(since);
  }
  lastRead_ = clock_.LocalNow();
  lastReadMs_ = ms;
  return *lastRead_;
}

SteerPlan Steering::BeforeTick() {
  const SteerHold before = holding_;
  holding_ = SteerHold::None;
  if (pausedUntil_ || !hours_.Always()) {
    const LocalDateTime now = Now();
    if (pausedUntil_ && !PauseEndValid(*pausedUntil_, now)) EndPause();
    if (pausedUntil_) {
      holding_ = SteerHold::Paused;
    } else if (!hours_.Contains(now)) {
      holding_ = SteerHold::OutsideWorkingHours;
      const LocalDateTime starts = hours_.NextStart(now);
      if (starts != workStarts_) {
        workStarts_ = starts;
        workStartTime_ = clock_.FormatTimeOfDay(starts.hour, starts.minute);
      }
    }
  }
  if (holding_ != SteerHold::None) return SteerPlan::Hold;
  return before != SteerHold::None ? SteerPlan::StartAfresh : SteerPlan::Count;
}

// Made when shown, so that a change of language shows at once.
std::string Steering::Caption() const {
  if (holding_ == SteerHold::Paused)
    // TRANSLATORS: {time} is a time of day like 14:30
    return Fill(Tr("Reminders paused until {time}"), {{"time", pauseEnd_}});
  // TRANSLATORS: {day} is an abbreviated weekday like Mon, {time} a time of day like 08:00
  return Fill(Tr("Outside working hours until {day} {time}"), {{"day", WorkStartDay()}, {"time", workStartTime_}});
}

std::string Steering::TipText() const {
  if (holding_ == SteerHold::Paused)
    // TRANSLATORS: in the tray icon's tip after the program's name and a dash; {time} is a time of day like 14:30
    return Fill(Tr("reminders paused until {time}"), {{"time", pauseEnd_}});
  // TRANSLATORS: in the tray icon's tip after the program's name and a dash; {day} is an abbreviated weekday like
  // Mon, {time} a time of day like 08:00
  return Fill(Tr("outside working hours until {day} {time}"), {{"day", WorkStartDay()}, {"time", workStartTime_}});
}

std::string Steering::WorkStartDay() const { return workStarts_ ? WeekdayName(Weekday(*workStarts_)) : std::string(); }

}  // namespace rp
