#include "tray/TrayProgress.h"

#include <algorithm>

#include "tray/cSysTray.h"

namespace rp {

int PeriodStep(std::int64_t elapsedSeconds, std::int64_t intervalSeconds) {
  if (intervalSeconds <= 0) return 0;
  const std::int64_t step = std::clamp<std::int64_t>(elapsedSeconds, 0, intervalSeconds) * kPeriodSteps / intervalSeconds;
  return static_cast<int>(step);
}

PeriodPicture PictureOf(const PeriodFacts& facts) {
  // Stopped, the count starts from nothing when reminding starts again.
  if (!facts.reminding) return {0, kPeriodSteps, PeriodState::Stopped};
  PeriodState state = PeriodState::Counting;
  if (facts.paused)
    state = PeriodState::Paused;
  else if (facts.outsideWorkingHours)
    state = PeriodState::OutsideWorkingHours;
  else if (facts.held)
    state = PeriodState::Held;
  return {PeriodStep(facts.elapsedSeconds, facts.intervalSeconds), kPeriodSteps, state};
}

void TrayProgress::Show(bool on, const PeriodFacts& facts) {
  if (!on) {
    if (!shown_) return;
    tray_.SetTrayIcon(std::move(ownIcon_));
    shown_.reset();
    return;
  }
  const PeriodPicture picture = PictureOf(facts);
  if (picture == shown_) return;
  if (!shown_) ownIcon_ = tray_.TrayIcon();
  shown_ = picture;
  tray_.SetTrayIcon(ui_.PeriodIcon(picture));
}

}  // namespace rp
