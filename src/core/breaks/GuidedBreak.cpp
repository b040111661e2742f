#include "breaks/GuidedBreak.h"

#include <algorithm>
#include <array>

#include "runtime/Translation.h"

namespace rp {
namespace {

// Shown in one line under "Time for a break": the break window translates them.
constexpr std::array<std::string_view, 6> kSuggestions = {
    // TRANSLATORS: a suggestion in the break window, in one line under "Time for a break"
    TrNoop("Stand up and walk around for a moment."),
    // TRANSLATORS: a suggestion in the break window, in one line under "Time for a break"
    TrNoop("Look at something far away, out of a window if you can."),
    // TRANSLATORS: a suggestion in the break window, in one line under "Time for a break"
    TrNoop("Stretch your shoulders: roll them back slowly a few times."),
    // TRANSLATORS: a suggestion in the break window, in one line under "Time for a break"
    TrNoop("Close your eyes and breathe slowly."),
    // TRANSLATORS: a suggestion in the break window, in one line under "Time for a break"
    TrNoop("Fetch a glass of water."),
    // TRANSLATORS: a suggestion in the break window, in one line under "Time for a break"
    TrNoop("Stretch your arms above your head, then let them hang loose."),
};

}  // namespace

void GuidedBreak::Begin(std::int64_t nowMs) {
  state_ = GuidedState::Running;
  endMs_ = nowMs + std::int64_t{lengthSeconds_} * 1000;
  suggestion_ = picks_() % kSuggestions.size();
}

int GuidedBreak::SecondsLeft(std::int64_t nowMs) const {
  if (state_ != GuidedState::Running || nowMs >= endMs_) return 0;
  return static_cast<int>((endMs_ - nowMs + 999) / 1000);
}

std::int64_t GuidedBreak::NextChangeMs(std::int64_t nowMs) const {
  return endMs_ - std::int64_t{std::max(SecondsLeft(nowMs) - 1, 0)} * 1000;
}

void GuidedBreak::Expire(std::int64_t nowMs) {
  if (state_ == GuidedState::Running && nowMs >= endMs_) End(GuidedState::Idle, &BreakObserver::Taken);
}

void GuidedBreak::Postpone() {
  if (!Choosable() || !budget_.Use()) return;
  postponedLeft_ = kPostponeSeconds;
  End(GuidedState::Postponed, &BreakObserver::Postponed);
}

void GuidedBreak::Skip() {
  if (!Choosable() || !budget_.Use()) return;
  End(GuidedState::Idle, &BreakObserver::Skipped);
}

void GuidedBreak::UserLeft() {
  if (state_ == GuidedState::Running) End(GuidedState::Idle, &BreakObserver::TakenAway);
}

bool GuidedBreak::CountPostponed() {
  if (state_ != GuidedState::Postponed) return false;
  if (postponedLeft_ > 0) --postponedLeft_;
  return postponedLeft_ == 0;
}

std::string_view GuidedBreak::Suggestion() const { return kSuggestions[suggestion_]; }

void GuidedBreak::End(GuidedState next, void (BreakObserver::*report)()) {
  state_ = next;
  if (observer_) (observer_->*report)();
}

std::string ClockText(int seconds) {
  seconds = std::max(seconds, 0);
  const auto twoDigits = [](int value) {
    return std::string(value < 10 ? "0" : "") + std::to_string(value);
  };
  return twoDigits(seconds / 60) + ":" + twoDigits(seconds % 60);
}

std::string SkipsLeftText(int skips) {
  // TRANSLATORS: under the break window's buttons, which are greyed now
  if (skips <= 0) return Tr("No skips left today");
  // TRANSLATORS: under the break window's buttons: how many more times they may be used today
  return Fill(TrPlural("{count} skip left today", "{count} skips left today", skips),
              {{"count", std::to_string(skips)}});
}

}  // namespace rp
