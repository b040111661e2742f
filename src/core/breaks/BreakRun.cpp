#include "breaks/BreakRun.h"

#include <algorithm>
#include <exception>

#include "breaks/BreakWindows.h"
#include "breaks/FormEyeBreak.h"
#include "exercises/BuiltinExercises.h"
#include "runtime/Translation.h"

namespace rp {

BreakRun::BreakRun(Platform& platform, Main& main, ConsiderateBreaks& considerate, Hooks hooks)
    : guided(main, platform.clock),
      platform_(platform),
      considerate_(considerate),
      hooks_(std::move(hooks)),
      answerTimer_(platform.ui, [this] {
        answerTimer_.SetInterval(0);
        hooks_.answered(answer_);
      }),
      exercises_({BuiltinExercises().begin(), BuiltinExercises().end()}),
      ownExercises_(platform.files) {}

BreakRun::~BreakRun() = default;

void BreakRun::SetOptions(const Options& options) {
  guided.SetLength(options.breakMinutes);
  guided.SetSkipsADay(options.skipsADay);
  eyeBreaks.SetOn(options.eyeBreaks);
  warnSeconds_ = options.warnSeconds;
  waitForTypingPause_ = options.waitForTypingPause;
  showExercises_ = options.showExercises;
  ownExercisesOnly_ = options.ownExercisesOnly;
  endSound_ = options.breakEndSound;
}

void BreakRun::SetObserver(BreakObserver* observer) {
  guided.SetObserver(observer);
  eyeBreaks.SetObserver(observer);
  observer_ = observer;
}

void BreakRun::Begin() {
  CloseEyeBreak();
  CloseWarning();
  underWay_ = true;
}

std::optional<bool> BreakRun::EndReminders() {
  if (!underWay_) return std::nullopt;
  underWay_ = false;
  // The guided break follows the reminders; a postponed one leaves the period used up.
  return guided.On() && Guide();
}

bool BreakRun::ResumePostponed() {
  CloseEyeBreak();
  // Turned off in the Options meanwhile: the postponed break ends as the period does.
  if (!guided.On()) guided.Drop();
  return guided.On() && Guide();
}

bool BreakRun::WaitForTypingPause() {
  if (!waitForTypingPause_) return true;
  EventLoop& loop = platform_.loop;
  const std::int64_t start = loop.NowMs();
  bool held = false;
  waitingForTyping_ = true;
  for (std::int64_t idle = platform_.presence.IdleMs(); waitingForTyping_;
       idle = platform_.presence.IdleMs()) {
    const std::int64_t waited = loop.NowMs() - start;
    if (idle >= kTypingPauseMs || waited >= kLongestTypingWaitMs) break;
    if (!held) {
      held = true;
      // TRANSLATORS: in the main window while a guided break waits for the user to stop typing
      hooks_.caption(Tr("Break waits for a pause in typing"));
      if (observer_) observer_->Held();
    }
    // Asked again when the pause could be long enough, never more often than once a second,
    // however many events arrive meanwhile.
    const std::int64_t askAt =
        loop.NowMs() + std::min(kLongestTypingWaitMs - waited, std::max<std::int64_t>(kTypingPauseMs - idle, 1000));
    while (waitingForTyping_ && loop.NowMs() < askAt) {
      loop.WaitForEvent(askAt);
      loop.DoEvents();
    }
  }
  const bool dropped = !waitingForTyping_;
  waitingForTyping_ = false;
  // The wait is screen time of a held break, as a held period's seconds are.
  if (held && observer_)
    for (std::int64_t second = 0; second < (loop.NowMs() - start) / 1000; ++second) observer_->Ticked(false, false, true, false);
  return !dropped;
}

void BreakRun::PlayEndSound() {
  platform_.player.SetLoop(false);
  platform_.player.SetUrl(endSound_);
}

bool BreakRun::Guide() {
  if (!WaitForTypingPause()) return false;
  EventLoop& loop = platform_.loop;
  if (!windows_) windows_ = std::make_unique<BreakWindows>(platform_, guided);
  std::optional<std::string> failure;
  try {
    guided.Begin(loop.NowMs());
    show_.reset();
    if (showExercises_) {
      TakeOwnExercises();
      show_.emplace(ExerciseShow{loop, exercises_.Exercises(), exercises_.Fill(guided.LengthSeconds()), loop.NowMs()});
    }
    hooks_.windowsUp();
    considerate_.WatchAbsence([this] { guided.UserLeft(); });
    windows_->Open(show_ ? &*show_ : nullptr);
    ShowTimeLeft();
    // Input during the break, the buttons included, only ends the wait for an event. The time
    // left is shown before the events of the moment are handled, so they see it as it is.
    while (guided.State() == GuidedState::Running) {
      loop.WaitForEvent(guided.NextChangeMs(loop.NowMs()));
      const bool timeUp = guided.SecondsLeft(loop.NowMs()) == 0;
      guided.Expire(loop.NowMs());
      if (guided.State() == GuidedState::Running) ShowTimeLeft();
      // The end sound tells a user who looked away that the break is over; a postponed or
      // skipped break ends at the user's own hand and has none.
      else if (timeUp && !endSound_.empty()) PlayEndSound();
      loop.DoEvents();
    }
  } catch (const std::exception& e) {
    // A break that cannot be shown is over; the next period starts.
    guided.Drop();
    failure = e.what();
  }
  considerate_.WatchAbsence(nullptr);
  windows_->Close();
  const bool postponed = Postponed();
  hooks_.guidedOver(postponed);
  if (failure) hooks_.failed("GuideBreak", *failure);
  return postponed;
}

void BreakRun::TakeOwnExercises() {
  const bool changed = ownExercises_.Read();
  // An unchanged file keeps the sequence, which goes on where the last break stopped.
  if (!changed && ownExercisesOnly_ == sequenceOwnOnly_) return;
  sequenceOwnOnly_ = ownExercisesOnly_;
  exercises_ = ExerciseSequence(ExercisesInUse(ownExercises_.Exercises(), ownExercisesOnly_));
  const std::string note = ownExercises_.LeftOutNote();
  if (changed && !note.empty() && hooks_.leftOut) hooks_.leftOut(note);
}

void BreakRun::ShowTimeLeft() {
  const std::string left = ClockText(guided.SecondsLeft(platform_.loop.NowMs()));
  // TRANSLATORS: in the main window during a break; {time} is the time left, like 04:59
  hooks_.caption(Fill(Tr("Break: {time}"), {{"time", left}}));
  windows_->ShowState();
}

void BreakRun::ShowPostponedLeft() {
  // TRANSLATORS: in the main window; {time} is the time until the postponed break, like 04:59
  hooks_.caption(Fill(Tr("Break postponed: {time}"), {{"time", ClockText(guided.PostponedSecondsLeft())}}));
}

bool BreakRun::ShowState() {
  if (guided.State() == GuidedState::Running)
    ShowTimeLeft();
  else if (Postponed())
    ShowPostponedLeft();
  else
    return false;
  return true;
}

bool BreakRun::CountPostponed() {
  const bool due = guided.CountPostponed();
  ShowPostponedLeft();
  if (!due) CountEyeTime(guided.PostponedSecondsLeft());
  return due;
}

void BreakRun::Counted(std::int32_t secondsToBreak, std::int32_t intervalSeconds) {
  if (warning_)
    warning_->ShowState(secondsToBreak, guided.SkipsLeft(), guided.Strict());
  else if (warnSeconds_ > 0 && guided.On() && guided.State() == GuidedState::Idle &&
           intervalSeconds > warnSeconds_ && secondsToBreak == warnSeconds_ && !considerate_.WouldHold())
    OpenWarning(secondsToBreak);
  CountEyeTime(secondsToBreak);
}

void BreakRun::OpenWarning(std::int32_t secondsToBreak) {
  try {
    warning_ = std::make_unique<FormWarning>(platform_, [this](WarningAnswer answer) {
      answer_ = answer;
      answerTimer_.SetInterval(1);
    });
    warning_->ShowState(secondsToBreak, guided.SkipsLeft(), guided.Strict());
    guided.Warn();
    // With no monitor listed nothing shows, and the break comes unannounced as before.
    if (!warning_->Appear())
      CloseWarning();
    else if (hooks_.choiceChanged)
      hooks_.choiceChanged();
  } catch (const std::exception& e) {
    CloseWarning();
    hooks_.failed("OpenWarning", e.what());
  }
}

void BreakRun::CloseWarning() {
  answerTimer_.SetInterval(0);
  const bool wasUp = warning_ != nullptr;
  warning_.reset();
  if (guided.State() == GuidedState::Warning) guided.Drop();
  if (wasUp && hooks_.choiceChanged) hooks_.choiceChanged();
}

void BreakRun::CountEyeTime(std::int32_t secondsToBreak) {
  // Nothing bursts into a presentation or a call that would hold a break.
  if (!eyeBreaks.Count(secondsToBreak) || considerate_.WouldHold()) return;
  try {
    CloseEyeBreak();
    eyeWindow_ = std::make_unique<FormEyeBreak>(platform_, showExercises_ ? exercises_.NextEye() : nullptr);
    // Counted only when it appeared: with no monitor listed nothing does.
    if (eyeWindow_->Appear()) eyeBreaks.Shown();
  } catch (const std::exception& e) {
    eyeWindow_.reset();
    hooks_.failed("CountEyeTime", e.what());
  }
}

void BreakRun::CloseEyeBreak() { eyeWindow_.reset(); }

void BreakRun::PeriodStartsAfresh() {
  CloseWarning();
  if (Postponed()) guided.Drop();
  eyeBreaks.Restart();
}

void BreakRun::Drop() {
  CloseWarning();
  waitingForTyping_ = false;
  guided.Drop();
  eyeBreaks.Restart();
  CloseEyeBreak();
}

}  // namespace rp
