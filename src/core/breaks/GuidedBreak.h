#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "countdown/BreakObserver.h"
#include "breaks/SkipBudget.h"

namespace rp {

enum class GuidedState {
  Idle,       // no guided break under way
  Warning,    // the "Break Soon" window tells of the break to come
  Running,    // the break windows are up and its time counts down
  Postponed,  // the same break comes back when the postponement has been counted down
};

// A guided break: a break of a set length that the user may postpone by five minutes or skip,
// within a daily budget. It keeps its own time on the event loop's clock, so input during the
// break does not stop it; the postponement is counted a second at a time, as the period is.
class GuidedBreak {
 public:
  static constexpr int kPostponeSeconds = 5 * 60;

  GuidedBreak(Main& main, WallClock& clock) : budget_(main, clock) {}

  // Minutes of each break; 0: no guided breaks.
  void SetLength(int minutes) { lengthSeconds_ = minutes * 60; }
  bool On() const { return lengthSeconds_ > 0; }
  int LengthSeconds() const { return lengthSeconds_; }
  void SetSkipsADay(int skips) { budget_.SetAllowance(skips); }
  void SetObserver(BreakObserver* observer) { observer_ = observer; }

  GuidedState State() const { return state_; }
  // The break begins (its period ran out, or its postponement did) and runs for its length.
  void Begin(std::int64_t nowMs);
  // Whole seconds left of the running break, rounded up: the length at its start.
  int SecondsLeft(std::int64_t nowMs) const;
  // When the shown time left next changes (the break's end at the last second).
  std::int64_t NextChangeMs(std::int64_t nowMs) const;
  // Ends the running break as taken once its time is up.
  void Expire(std::int64_t nowMs);
  // The warning of the break to come is up; it ends with the break's start or a Drop.
  void Warn() { state_ = GuidedState::Warning; }
  // The user's two buttons, in the warning or the break window; each uses one of the day's
  // skips and does nothing without one.
  void Postpone();
  void Skip();
  // True while the break may be postponed or skipped: a warning or a break window is up.
  bool Choosable() const { return state_ == GuidedState::Warning || state_ == GuidedState::Running; }
  // The session locked or the machine went to sleep: the user has left, the break is taken.
  void UserLeft();
  // Reminding stopped, or time away was a break of its own: nothing is left of this one.
  void Drop() { state_ = GuidedState::Idle; }
  // One counted second of the postponement; true once it has run out.
  bool CountPostponed();
  int PostponedSecondsLeft() const { return postponedLeft_; }

  // No postpone or skip at all: the break has no buttons.
  bool Strict() const { return budget_.Allowance() == 0; }
  int SkipsLeft() { return budget_.Left(); }
  // The suggestion of this break, one of a few, picked at random when it began (from the same
  // sequence at every start, so that pictures of a first break come out the same).
  std::string_view Suggestion() const;  // in English, as the break window's design gives it

 private:
  void End(GuidedState next, void (BreakObserver::*report)());

  SkipBudget budget_;
  BreakObserver* observer_ = nullptr;
  int lengthSeconds_ = 0;
  GuidedState state_ = GuidedState::Idle;
  std::int64_t endMs_ = 0;
  int postponedLeft_ = 0;
  std::minstd_rand picks_;
  std::size_t suggestion_ = 0;
};

// Seconds as "04:59"; from an hour on, the minutes go on counting ("75:00").
std::string ClockText(int seconds);
// "2 skips left today", "1 skip left today", "No skips left today", in the user's language.
std::string SkipsLeftText(int skips);

}  // namespace rp
