#include "presence/Considerate.h"

#include <algorithm>

#include "runtime/Translation.h"

namespace rp {

std::string_view HeldCaption(HoldReason reason) {
  switch (reason) {
    case HoldReason::Presentation: return TrNoop("Break held: presentation");
    case HoldReason::FullScreen: return TrNoop("Break held: full-screen program");
    case HoldReason::QuietHours: return TrNoop("Break held: quiet hours");
    case HoldReason::Call: return TrNoop("Break held: call in progress");
    // TRANSLATORS: in the main window: a program keeps the display on, as a playing video does
    case HoldReason::Video: return TrNoop("Break held: video playing");
    case HoldReason::Meeting:
    case HoldReason::None: break;
  }
  return "";
}

ConsiderateBreaks::ConsiderateBreaks(Presence& presence, EventLoop& loop)
    : presence_(presence), loop_(loop) {}

ConsiderateBreaks::~ConsiderateBreaks() {
  if (watching_) presence_.WatchSession(nullptr);
}

void ConsiderateBreaks::SetOptions(const Options& options) {
  options_ = options;
  if (!options_.naturalBreaks) {
    locked_ = asleep_ = false;
    absentSince_.reset();
  }
  UpdateWatch();
  if (!options_.holdReminders) held_ = HoldReason::None;
}

void ConsiderateBreaks::WatchAbsence(std::function<void()> onAbsent) {
  onAbsent_ = std::move(onAbsent);
  if (onAbsent_ && !watching_) {
    watching_ = true;
    presence_.WatchSession(this);
  }
  UpdateWatch();
}

void ConsiderateBreaks::UpdateWatch() {
  // Natural breaks start the watch at their first tick, not here.
  if (watching_ && !options_.naturalBreaks && !onAbsent_) {
    watching_ = false;
    presence_.WatchSession(nullptr);
  }
}

std::int64_t ConsiderateBreaks::ThresholdMs() const {
  return static_cast<std::int64_t>(options_.awayMinutes) * 60000;
}

std::int64_t ConsiderateBreaks::AwayMs() {
  if (!options_.naturalBreaks) return 0;
  const std::int64_t absent = absentSince_ ? loop_.NowMs() - *absentSince_ : 0;
  if (held_ != HoldReason::None) return absent;
  const std::int64_t idle = presence_.IdleMs();
  // Watching a video is screen time, however still the user sits.
  if (idle >= ThresholdMs() && presence_.DisplayRequired()) return absent;
  return std::max(absent, idle);
}

TickPlan ConsiderateBreaks::BeforeTick() {
  if (!options_.naturalBreaks && !away_ && held_ == HoldReason::None) return TickPlan::Count;
  // Lock and sleep matter only while the countdown runs: watch from its first tick.
  if (options_.naturalBreaks) RenewWatch();
  if (absentSince_ && BackWithoutNotice()) {
    locked_ = asleep_ = false;
    AbsenceChanged();
  }
  if (AwayMs() >= ThresholdMs()) {
    away_ = true;
    held_ = HoldReason::None;  // the time away is the break the held one was waiting to give
    return TickPlan::Wait;
  }
  if (away_) {
    away_ = false;
    return TickPlan::StartOver;
  }
  if (held_ != HoldReason::None) {
    held_ = CurrentHold();
    if (held_ != HoldReason::Meeting && loop_.NowMs() - heldSinceMs_ >= kLongestHoldMs) held_ = HoldReason::None;
    return held_ == HoldReason::None ? TickPlan::FireHeld : TickPlan::Wait;
  }
  return TickPlan::Count;
}

bool ConsiderateBreaks::HoldDueBreak() {
  held_ = CurrentHold();
  heldSinceMs_ = loop_.NowMs();
  return held_ != HoldReason::None;
}

void ConsiderateBreaks::RenewWatch() {
  if (watching_ && loop_.NowMs() - watchedAtMs_ < kRenewWatchMs) return;
  watching_ = true;
  watchedAtMs_ = loop_.NowMs();
  presence_.WatchSession(this);
}

bool ConsiderateBreaks::BackWithoutNotice() {
  return !presence_.SessionLocked() && presence_.IdleMs() < loop_.NowMs() - *absentSince_;
}

void ConsiderateBreaks::Reset() {
  away_ = false;
  held_ = HoldReason::None;
}

HoldReason ConsiderateBreaks::CurrentHold() {
  if (meetingEnd_) {
    if (const std::optional<std::int64_t> end = meetingEnd_()) {
      meetingUntil_ = *end;
      return HoldReason::Meeting;
    }
  }
  if (options_.holdReminders) {
    switch (presence_.UserNotificationState()) {
      case NotificationState::Presentation: return HoldReason::Presentation;
      case NotificationState::FullScreen: return HoldReason::FullScreen;
      case NotificationState::QuietHours: return HoldReason::QuietHours;
      case NotificationState::AcceptsNotifications: break;
    }
    // A record whose program has ended without writing its stop time holds nothing.
    for (const std::string& user : presence_.CameraOrMicrophoneUsers())
      if (presence_.ProgramRunning(user)) return HoldReason::Call;
  }
  // A guided or eye break would cover the video the user watches: it waits as for a presentation.
  if ((options_.breakMinutes > 0 || options_.eyeBreaks) && presence_.DisplayRequired()) return HoldReason::Video;
  return HoldReason::None;
}

void ConsiderateBreaks::SessionLocked(bool locked) {
  if (locked && onAbsent_) onAbsent_();
  if (!options_.naturalBreaks) return;
  locked_ = locked;
  AbsenceChanged();
}

void ConsiderateBreaks::MachineAsleep(bool asleep) {
  if (asleep && onAbsent_) onAbsent_();
  if (!options_.naturalBreaks) return;
  asleep_ = asleep;
  AbsenceChanged();
}

void ConsiderateBreaks::AbsenceChanged() {
  const bool absent = locked_ || asleep_;
  if (absent && !absentSince_) {
    absentSince_ = loop_.NowMs();
  } else if (!absent && absentSince_) {
    // A lock or a sleep as long as the away time was a break, even when no tick saw it.
    if (loop_.NowMs() - *absentSince_ >= ThresholdMs()) {
      away_ = true;
      held_ = HoldReason::None;
    }
    absentSince_.reset();
  }
}

}  // namespace rp
