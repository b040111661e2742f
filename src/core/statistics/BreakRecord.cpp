#include "statistics/BreakRecord.h"

#include <algorithm>
#include <utility>

#include "runtime/CivilTime.h"

namespace rp {

void DayFigures::Add(const DayFigures& other) {
  screenSeconds += other.screenSeconds;
  due += other.due;
  announced += other.announced;
  taken += other.taken;
  natural += other.natural;
  postponed += other.postponed;
  skipped += other.skipped;
  held += other.held;
  heldSeconds += other.heldSeconds;
  eyeBreaks += other.eyeBreaks;
  longestStretchSeconds = std::max(longestStretchSeconds, other.longestStretchSeconds);
}

std::int64_t BreakRecord::Today() {
  const LocalDateTime now = clock_.LocalNow();
  return DaysFromCivil(now.year, now.month, now.day);
}

DayFigures& BreakRecord::Now() {
  ++version_;
  return days_[Today()];
}

void BreakRecord::StretchReached(DayFigures& day) {
  day.longestStretchSeconds = std::max(day.longestStretchSeconds, stretchSeconds_);
}

void BreakRecord::ScreenSecond(bool held) {
  DayFigures& day = Now();
  ++day.screenSeconds;
  if (held) ++day.heldSeconds;
  ++stretchSeconds_;
  StretchReached(day);
}

void BreakRecord::Due() { ++Now().due; }

void BreakRecord::Announced() {
  ++Now().announced;
  announcedStretchSeconds_ = stretchSeconds_;
  stretchSeconds_ = 0;
}

void BreakRecord::Taken() {
  ++Now().taken;
  EndStretch();
}

void BreakRecord::Natural() {
  ++Now().natural;
  EndStretch();
}

void BreakRecord::NotTaken(std::int64_t DayFigures::*count) {
  DayFigures& day = Now();
  ++(day.*count);
  stretchSeconds_ += std::exchange(announcedStretchSeconds_, 0);
  StretchReached(day);
}

void BreakRecord::Postponed() { NotTaken(&DayFigures::postponed); }
void BreakRecord::Skipped() { NotTaken(&DayFigures::skipped); }

void BreakRecord::Held() { ++Now().held; }

void BreakRecord::EyeBreak() { ++Now().eyeBreaks; }

void BreakRecord::EndStretch() { stretchSeconds_ = announcedStretchSeconds_ = 0; }

void BreakRecord::Merge(const DayRecords& days) {
  for (const auto& [day, figures] : days) days_[day].Add(figures);
}

void BreakRecord::KeepNewest(std::size_t count) {
  while (days_.size() > count) days_.erase(days_.begin());
}

void BreakRecord::Clear() {
  days_.clear();
  ++version_;
}

}  // namespace rp
