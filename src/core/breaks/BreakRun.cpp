#include "breaks/BreakRun.h"

#include <exception>

#include "breaks/BreakWindows.h"
#include "breaks/FormEyeBreak.h"
#include "runtime/Translation.h"

namespace rp {

BreakRun::BreakRun(Platform& platform, Main& main, ConsiderateBreaks& considerate, Hooks hooks)
    : guided(main, platform.clock), platform_(platform), considerate_(considerate), hooks_(std::move(hooks)) {}

BreakRun::~BreakRun() = default;

void BreakRun::SetOptions(const Options& options) {
  guided.SetLength(options.breakMinutes);
  guided.SetSkipsADay(options.skipsADay);
  eyeBreaks.SetOn(options.eyeBreaks);
}

void BreakRun::SetObserver(BreakObserver* observer) {
  guided.SetObserver(observer);
  eyeBreaks.SetObserver(observer);
}

void BreakRun::Begin() {
  CloseEyeBreak();
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

bool BreakRun::Guide() {
  EventLoop& loop = platform_.loop;
  if (!windows_) windows_ = std::make_unique<BreakWindows>(platform_, guided);
  std::optional<std::string> failure;
  try {
    guided.Begin(loop.NowMs());
    hooks_.windowsUp();
    considerate_.WatchAbsence([this] { guided.UserLeft(); });
    windows_->Open();
    ShowTimeLeft();
    // Input during the break, the buttons included, only ends the wait for an event. The time
    // left is shown before the events of the moment are handled, so they see it as it is.
    while (guided.State() == GuidedState::Running) {
      loop.WaitForEvent(guided.NextChangeMs(loop.NowMs()));
      guided.Expire(loop.NowMs());
      if (guided.State() == GuidedState::Running) ShowTimeLeft();
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

void BreakRun::CountEyeTime(std::int32_t secondsToBreak) {
  // Nothing bursts into a presentation or a call that would hold a break.
  if (!eyeBreaks.Count(secondsToBreak) || considerate_.WouldHold()) return;
  try {
    CloseEyeBreak();
    eyeWindow_ = std::make_unique<FormEyeBreak>(platform_);
    // Counted only when it appeared: with no monitor listed nothing does.
    if (eyeWindow_->Appear()) eyeBreaks.Shown();
  } catch (const std::exception& e) {
    eyeWindow_.reset();
    hooks_.failed("CountEyeTime", e.what());
  }
}

void BreakRun::CloseEyeBreak() { eyeWindow_.reset(); }

void BreakRun::PeriodStartsAfresh() {
  if (Postponed()) guided.Drop();
  eyeBreaks.Restart();
}

void BreakRun::Drop() {
  guided.Drop();
  eyeBreaks.Restart();
  CloseEyeBreak();
}

}  // namespace rp
