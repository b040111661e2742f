#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"
#include "breaks/BreakWindows.h"
#include "breaks/FormEyeBreak.h"
#include "runtime/Translation.h"
#include "countdown/modReminder.h"

// The main window's part in a guided break and in the eye breaks: it runs the break between
// the reminders and the next period, counts a postponement down in Frame1, and shows an eye
// break when its time comes.
namespace rp {
namespace {

std::string PostponedText(int secondsLeft) {
  // TRANSLATORS: in the main window; {time} is the time until the postponed break, like 04:59
  return Fill(Tr("Break postponed: {time}"), {{"time", ClockText(secondsLeft)}});
}

}  // namespace

void Form1::SetBreakObserver(BreakObserver* observer) {
  guidedBreak.SetObserver(observer);
  eyeBreaks.SetObserver(observer);
}

bool Form1::GuideBreak() {
  EventLoop& loop = program.platform.loop;
  if (!program.breakWindows) program.breakWindows = std::make_unique<BreakWindows>(program.platform, guidedBreak);
  BreakWindows& windows = *program.breakWindows;
  std::optional<std::string> failure;
  try {
    guidedBreak.Begin(loop.NowMs());
    EndBreakSoundLoop();
    considerate.WatchAbsence([this] { guidedBreak.UserLeft(); });
    windows.Open();
    ShowBreakTimeLeft();
    // Input during the break, the buttons included, only ends the wait for an event. The time
    // left is shown before the events of the moment are handled, so they see it as it is.
    while (guidedBreak.State() == GuidedState::Running) {
      loop.WaitForEvent(guidedBreak.NextChangeMs(loop.NowMs()));
      guidedBreak.Expire(loop.NowMs());
      if (guidedBreak.State() == GuidedState::Running) ShowBreakTimeLeft();
      loop.DoEvents();
    }
  } catch (const std::exception& e) {
    // A break that cannot be shown is over; the next period starts.
    guidedBreak.Drop();
    failure = e.what();
  }
  considerate.WatchAbsence(nullptr);
  windows.Close();
  // Frame1 leaves the break behind at once, not at the next tick.
  const bool postponed = guidedBreak.State() == GuidedState::Postponed;
  if (!Reminding())
    Frame1.SetText(Tr("Stopped."));
  else if (postponed)
    Frame1.SetText(PostponedText(guidedBreak.PostponedSecondsLeft()));
  else
    Frame1.SetText(NextBreakText(countdown.IntervalSeconds));
  if (failure) OnUnguardedFailure("GuideBreak", *failure);
  return postponed;
}

void Form1::ShowBreakTimeLeft() {
  const std::string left = ClockText(guidedBreak.SecondsLeft(program.platform.loop.NowMs()));
  // TRANSLATORS: in the main window during a break; {time} is the time left, like 04:59
  Frame1.SetText(Fill(Tr("Break: {time}"), {{"time", left}}));
  program.breakWindows->ShowState();
}

void Form1::ShowPostponedTimeLeft() { Frame1.SetText(PostponedText(guidedBreak.PostponedSecondsLeft())); }

void Form1::PostponedTick(Guard& g) {
  const bool due = guidedBreak.CountPostponed();
  ShowPostponedTimeLeft();
  if (!due) {
    CountEyeTime(guidedBreak.PostponedSecondsLeft());
    return UpdateTrayTip();
  }
  // Held as a break at the end of its period is: the next tick sees whether the hold ended.
  if (considerate.HoldDueBreak()) return ShowPresence();
  ResumePostponedBreak(g);
}

void Form1::ResumePostponedBreak(Guard& g) {
  CloseEyeBreak();
  g.Step(110, [&] { Timer1.SetEnabled(false); });
  g.Step(112, [&] { Timer1.SetInterval(0); });
  // Turned off in the Options meanwhile: the postponed break ends as the period does.
  if (!guidedBreak.On()) guidedBreak.Drop();
  FinishBreak(g, guidedBreak.On() && GuideBreak());
}

void Form1::CountEyeTime(std::int32_t secondsToBreak) {
  // Nothing bursts into a presentation or a call that would hold a break.
  if (!eyeBreaks.Count(secondsToBreak) || considerate.WouldHold()) return;
  try {
    CloseEyeBreak();
    program.formEyeBreak = std::make_unique<FormEyeBreak>(program.platform);
    // Counted only when it appeared: with no monitor listed nothing does.
    if (program.formEyeBreak->Appear()) eyeBreaks.Shown();
  } catch (const std::exception& e) {
    program.formEyeBreak.reset();
    OnUnguardedFailure("CountEyeTime", e.what());
  }
}

void Form1::CloseEyeBreak() { program.formEyeBreak.reset(); }

void Form1::EndBreakSoundLoop() {
  if (!breakSoundLooping_) return;
  breakSoundLooping_ = false;
  MediaPlayer& player = program.platform.player;
  player.SetLoop(false);
  player.SetUrl(Text2.Text());
}

}  // namespace rp
