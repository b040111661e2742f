#include "statistics/StatisticsKeeper.h"

#include <utility>

namespace rp {

StatisticsKeeper::StatisticsKeeper(Platform& platform, std::function<void()> problemChanged)
    : platform_(platform), problemChanged_(std::move(problemChanged)) {}

StatisticsKeeper::~StatisticsKeeper() = default;

void StatisticsKeeper::Keep(bool on) {
  if (on == (statistics_ != nullptr)) return;
  if (on) {
    statistics_ = std::make_unique<Statistics>(platform_, true, [this] {
      if (problemChanged_) problemChanged_();
    });
    statistics_->Load();
  } else {
    statistics_->Save();
    statistics_.reset();
  }
}

bool StatisticsKeeper::Showable() { return statistics_ || Statistics::FileExists(platform_.files); }

std::string StatisticsKeeper::Problem() const { return statistics_ ? statistics_->Problem() : std::string(); }

void StatisticsKeeper::Save() {
  if (statistics_) statistics_->Save();
}

void StatisticsKeeper::Ticked(bool away, bool absent, bool held, bool startedOver) {
  if (!statistics_) return;
  BreakRecord& record = statistics_->record;
  // A spell away is one natural break: counted at its first tick, or, when no tick saw it (a
  // lock or a sleep that ended between two), at the tick that starts the period over.
  if ((away || startedOver) && !awayRecorded_) record.Natural();
  // A spell lasts to the end of its lock or sleep, which may have counted as a guided break.
  awayRecorded_ = away || (awayRecorded_ && absent);
  if (!away) record.ScreenSecond(held);
}

void StatisticsKeeper::Count(void (BreakRecord::*event)()) {
  if (statistics_) (statistics_->record.*event)();
}

void StatisticsKeeper::Due() { Count(&BreakRecord::Due); }
void StatisticsKeeper::Announced() { Count(&BreakRecord::Announced); }
void StatisticsKeeper::Held() { Count(&BreakRecord::Held); }
void StatisticsKeeper::StretchEnded() { Count(&BreakRecord::EndStretch); }
void StatisticsKeeper::Taken() { Count(&BreakRecord::Taken); }
void StatisticsKeeper::TakenAway() {
  Taken();
  awayRecorded_ = true;  // that time away is the break taken, not a natural one besides
}
void StatisticsKeeper::Postponed() { Count(&BreakRecord::Postponed); }
void StatisticsKeeper::Skipped() { Count(&BreakRecord::Skipped); }
void StatisticsKeeper::EyeBreak() { Count(&BreakRecord::EyeBreak); }

}  // namespace rp
