#pragma once
#include <cstddef>
#include <cstdint>
#include <map>

#include "ports/WallClock.h"

namespace rp {

// What one local calendar day holds. Times are in seconds; the file keeps whole minutes.
struct DayFigures {
  std::int64_t screenSeconds = 0;  // counted while reminding is on and the user is not away
  std::int64_t due = 0;            // periods that ran out
  std::int64_t announced = 0;      // breaks the reminders announced
  std::int64_t taken = 0;          // guided breaks that ran to their end
  std::int64_t natural = 0;        // spells of time away that counted as a break
  std::int64_t postponed = 0;
  std::int64_t skipped = 0;
  std::int64_t held = 0;           // due breaks that had to wait (a presentation, a call)
  std::int64_t heldSeconds = 0;    // and how long they waited
  std::int64_t eyeBreaks = 0;
  std::int64_t longestStretchSeconds = 0;  // at the screen without a break

  bool Empty() const { return *this == DayFigures{}; }
  // Adds another record of the same day: the counts add up, the longer stretch stays.
  void Add(const DayFigures& other);
  bool operator==(const DayFigures&) const = default;
};

// Days by their number since 1970-01-01 (DaysFromCivil).
using DayRecords = std::map<std::int64_t, DayFigures>;

// The record of breaks and screen time, counted into the day the user's clock shows when each
// event happens: past midnight the events go to the new day, with the clock set back to the
// day it shows, and a day without events has no figures at all.
class BreakRecord {
 public:
  explicit BreakRecord(WallClock& clock) : clock_(clock) {}

  // A second of the countdown with the user at the screen; `held` while a due break waits.
  void ScreenSecond(bool held);
  void Due();
  // The reminders went off: the stretch at the screen ends, unless the break is then postponed
  // or skipped.
  void Announced();
  void Taken();
  void Natural();
  void Postponed();
  void Skipped();
  void Held();
  void EyeBreak();
  // Reminding started or stopped: whatever follows is a new stretch.
  void EndStretch();

  // The day the clock shows now.
  std::int64_t Today();
  const DayRecords& Days() const { return days_; }
  // Goes up with every change, so a keeper can tell whether there is anything new to write.
  std::uint64_t Version() const { return version_; }
  // Adds days read from a file to what was counted.
  void Merge(const DayRecords& days);
  // Forgets every day but the newest `count`.
  void KeepNewest(std::size_t count);
  void Clear();

 private:
  // The figures of the day the clock shows, made on first use.
  DayFigures& Now();
  // An announced break was postponed or skipped: counted, and the stretch goes on.
  void NotTaken(std::int64_t DayFigures::*count);
  // The stretch grew or came back: the day's longest is at least as long.
  void StretchReached(DayFigures& day);

  WallClock& clock_;
  DayRecords days_;
  std::int64_t stretchSeconds_ = 0;
  // The stretch an announcement ended, back if the break is postponed or skipped.
  std::int64_t announcedStretchSeconds_ = 0;
  std::uint64_t version_ = 0;
};

}  // namespace rp
