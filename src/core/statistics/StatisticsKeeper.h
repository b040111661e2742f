#pragma once
#include <functional>
#include <memory>
#include <string>

#include "countdown/BreakObserver.h"
#include "ports/Platform.h"
#include "statistics/Statistics.h"

namespace rp {

// Keeps the record of breaks while "Keep Statistics" is on: it owns the record and hears the
// countdown and the breaks, so nobody else writes into the record.
class StatisticsKeeper : public BreakObserver {
 public:
  // `problemChanged` is told when Problem() changes.
  StatisticsKeeper(Platform& platform, std::function<void()> problemChanged);
  ~StatisticsKeeper() override;
  StatisticsKeeper(const StatisticsKeeper&) = delete;
  StatisticsKeeper& operator=(const StatisticsKeeper&) = delete;

  // Starts keeping the record (reading what the file holds) or stops, saving what was counted.
  void Keep(bool on);
  // The record being kept, or nullptr while the option is off.
  Statistics* Kept() { return statistics_.get(); }
  // True when there is a record to show: one being kept, or a file.
  bool Showable();
  // Why the record is not on disk, in English ("" when it is, or while off).
  std::string Problem() const;
  // Writes what changed since the last write (at the end of the program).
  void Save();

  void Ticked(bool away, bool absent, bool held, bool startedOver) override;
  void Due() override;
  void Announced() override;
  void Held() override;
  void StretchEnded() override;
  void Taken() override;
  void TakenAway() override;
  void Postponed() override;
  void Skipped() override;
  void EyeBreak() override;

 private:
  // The event in the record, while it is kept.
  void Count(void (BreakRecord::*event)());

  Platform& platform_;
  std::function<void()> problemChanged_;
  std::unique_ptr<Statistics> statistics_;
  // True while the record has this spell of time away as a break: a natural one, or the guided
  // break it ended.
  bool awayRecorded_ = false;
};

}  // namespace rp
