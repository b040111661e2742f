#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/Form1.h"
#include "app/Program.h"
#include "calendar/CalendarTexts.h"
#include "countdown/modReminder.h"
#include "reminders/Form2.h"
#include "runtime/FlagScope.h"
#include "runtime/Translation.h"
#include "settings/Guard.h"

namespace rp {
namespace {

// The break window may stay as long as the user likes: wait for events, not for a time.
constexpr std::int64_t kNoDeadline = std::numeric_limits<std::int64_t>::max();

}  // namespace

void Form1::Timer1_Timer() {
  // Ticks reach here during a break only when reminding was started again from the window
  // meanwhile; the break restarts the count when it ends, so such a tick has nothing to do.
  if (tickRunning_) return;
  FlagScope running(tickRunning_);

  Guard g(program.main, "Form1.Timer1_Timer");
  switch (steering.BeforeTick()) {
    case SteerPlan::Hold:
      return ShowHold();
    case SteerPlan::StartAfresh:
      countdown.ElapsedSeconds = 0;
      considerate.Reset();
      breaks.PeriodStartsAfresh();
      break;
    case SteerPlan::Count:
      break;
  }
  const TickPlan plan = considerate.BeforeTick();
  statistics.Ticked(considerate.Away(), considerate.Absent(), considerate.Held() != HoldReason::None,
                    plan == TickPlan::StartOver);
  switch (plan) {
    case TickPlan::Wait:
      return ShowHold();
    case TickPlan::FireHeld:
      // A period lengthened meanwhile is no longer due: it counts on.
      if (breaks.Postponed() || countdown.ElapsedSeconds >= countdown.IntervalSeconds) return RunBreak(g);
      break;
    case TickPlan::StartOver:
      countdown.ElapsedSeconds = 0;
      // The time away was the break: a postponed one is not due any more.
      breaks.guided.Drop();
      breaks.eyeBreaks.Restart();
      break;
    case TickPlan::Count:
      break;
  }
  if (breaks.Postponed()) {
    if (!breaks.CountPostponed()) return trayTip.Update();
    // Held as a break at the end of its period is: the next tick sees whether the hold ended.
    if (considerate.HoldDueBreak()) return ShowHold();
    return RunBreak(g);
  }

  EventLoop& loop = program.platform.loop;
  g.Step(100, [&] { ++countdown.ElapsedSeconds; });
  // A guided break that would run into a meeting comes early enough to end as it begins.
  const MeetingDecision meeting = calendar.Decide(countdown.SecondsLeft(), GuidedBreakSeconds());
  std::int32_t secondsToBreak = countdown.SecondsLeft();
  if (meeting.plan == MeetingPlan::MoveBefore) {
    secondsToBreak = static_cast<std::int32_t>(std::max<std::int64_t>(meeting.breakAt - calendar.NowUtc(), 0));
    if (secondsToBreak == 0) countdown.ElapsedSeconds = countdown.IntervalSeconds;
  }
  g.Step(102, [&] { UpdateProgress(ProgressBar1, countdown.IntervalSeconds, countdown.ElapsedSeconds); });
  g.Step(102, [&] {
    // The last minutes before a break brought forward say why it comes early.
    Frame1.SetText(meeting.plan == MeetingPlan::MoveBefore && secondsToBreak > 0 && secondsToBreak <= kMoveBeforeMeeting
                       ? MovedBeforeMeetingText(meeting.meeting, program.platform.zones, program.platform.clock)
                       : NextBreakText(secondsToBreak));
  });
  g.Step(106, [&] { loop.DoEvents(); });
  if (!g.Test(108, [&] { return countdown.ElapsedSeconds >= countdown.IntervalSeconds; })) {
    breaks.Counted(secondsToBreak, countdown.IntervalSeconds);
    return trayTip.Update();
  }
  statistics.Due();
  // The count stays where it is while the break is held, so the hold ends with this break.
  if (considerate.HoldDueBreak()) {
    statistics.Held();
    return ShowHold();
  }
  RunBreak(g);
}

void Form1::RunBreak(Guard& g) {
  if (breaks.Postponed()) {
    g.Step(110, [&] { Timer1.SetEnabled(false); });
    g.Step(112, [&] { Timer1.SetInterval(0); });
    return EndBreak(g, breaks.ResumePostponed());
  }
  EventLoop& loop = program.platform.loop;
  MediaPlayer& player = sound.Player();
  breaks.Begin();
  if (Check1.Value() == 1 || Check2.Value() == 1 || Check3.Value() == 1) statistics.Announced();
  g.Step(110, [&] { Timer1.SetEnabled(false); });
  g.Step(112, [&] { Timer1.SetInterval(0); });
  if (g.Test(116, [&] { return Check1.Value() == 1; })) {
    g.Step(118, [&] { player.SetLoop(true); });
    g.Step(120, [&] { player.Close(); });
    g.Step(122, [&] { sound.Loop(Text2.Text()); });
  }
  if (g.Test(124, [&] { return Check2.Value() == 1; })) {
    g.Step(126, [&] { cSysTray1.ShowBalloon(Tr("Break!"), kProductName, 30); });
  }
  if (g.Test(128, [&] { return Check3.Value() == 1; })) {
    g.Step(130, [&] { program.globals.BreakWindowClosed = false; });
    g.Step(132, [&] {
      // The wait below may lie under another window's modal loop (Options opened during the
      // break): the countdown goes on when the window closes, not when that one does. A
      // guided break follows the reminders in the break's own course instead.
      program.form2 = program.NewForm2([this] {
        if (!breaks.UnderWay() || breaks.guided.On()) return;
        Guard closed(program.main, "Form1.Timer1_Timer");
        if (const auto postponed = breaks.EndReminders()) EndBreak(closed, *postponed);
        tickRunning_ = false;  // the tick that ran the break has nothing left to do
      });
      program.form2->Show();
    });
    // A window that could not be shown, or is gone without saying so, ends the wait too.
    while (g.Test(134, [&] {
      return !program.globals.BreakWindowClosed && program.form2 && program.form2->IsLoaded();
    })) {
      g.Step(136, [&] {
        loop.WaitForEvent(kNoDeadline);
        loop.DoEvents();
      });
    }
  }
  if (const auto postponed = breaks.EndReminders()) EndBreak(g, *postponed);
}

void Form1::EndBreak(Guard& g, bool postponed) {
  if (!postponed) {
    g.Step(138, [&] {
      countdown.ElapsedSeconds = 0;
      SetMousePointer(kDefaultPointer);
    });
    g.Step(140, [&] {
      ProgressBar1.SetValue(0);
      ProgressBar1.SetText(Tr(kProgressBarText));
    });
  }
  // "Stop Reminding" pressed during the break keeps reminding stopped.
  if (g.Test(142, [&] { return Reminding(); })) {
    g.Step(142, [&] { Timer1.SetInterval(1000); });
    g.Step(144, [&] { Timer1.SetEnabled(true); });
  }
  breaks.eyeBreaks.Restart();
  trayTip.Update();
}

void Form1::ShowHold() {
  breaks.CloseWarning();
  if (steering.Holding() != SteerHold::None) {
    countdown.ElapsedSeconds = 0;
    ProgressBar1.SetValue(0);
    Frame1.SetText(steering.Caption());
  } else if (considerate.Away()) {
    Frame1.SetText(Tr(kAwayCaption));
  } else if (considerate.Held() != HoldReason::None) {
    Frame1.SetText(HoldCaption());
  }
  trayTip.Update();
}

std::string Form1::HoldCaption() {
  if (considerate.Held() == HoldReason::Meeting)
    return InMeetingText(considerate.MeetingUntil(), program.platform.zones, program.platform.clock);
  return Tr(HeldCaption(considerate.Held()));
}

std::int64_t Form1::GuidedBreakSeconds() const {
  return breaks.guided.On() ? std::int64_t{considerate.GetOptions().breakMinutes} * 60 : 0;
}

void Form1::PushButton3_Click() {
  Main& main = program.main;
  Guard g(main, "Form1.PushButton3_Click");
  if (g.Test(100, [&] { return !Reminding(); })) {
    g.Step(102, [&] { PushButton3.SetText(Tr(kStopReminding)); });
    g.Step(104, [&] { main.SaveSetting("StartStopState", "On"); });
    g.Step(106, [&] { countdown.ElapsedSeconds = 0; });
    if (g.Test(108, [&] { return main.IsNumeric(Text1.Text()); })) {
      g.Step(110, [&] { countdown.SetMinutes(program.main, Text1.Text(), kDefaultMinutes); });
    } else {
      g.Step(112, [&] { countdown.SetInterval(60); });
      g.Step(114, [&] { Text1.SetText("1"); });
    }
    g.Step(116, [&] { Timer1.SetInterval(1000); });
    g.Step(118, [&] { Timer1.SetEnabled(true); });
  } else {
    g.Step(120, [&] { PushButton3.SetText(Tr(kStartReminding)); });
    g.Step(122, [&] { main.SaveSetting("StartStopState", "Off"); });
    g.Step(124, [&] { countdown.ElapsedSeconds = 0; });
    g.Step(126, [&] { Timer1.SetInterval(0); });
    g.Step(128, [&] { Timer1.SetEnabled(false); });
    g.Step(130, [&] {
      Frame1.SetText(Tr("Stopped."));
      SetMousePointer(kDefaultPointer);
    });
    g.Step(132, [&] { ProgressBar1.SetValue(0); });
    g.Step(134, [&] { ProgressBar1.SetText(Tr(kProgressBarText)); });
    // Stopping silences a break sound that would otherwise loop on with nothing to stop it.
    g.Step(136, [&] { sound.Stop(); });
  }
  considerate.Reset();
  steering.EndPause();  // a pause ends with the reminding it paused
  // Either way the count starts afresh: no break is running or postponed, no eye break is up.
  breaks.Drop();
  statistics.StretchEnded();
  hotkeys.Refresh();
  trayTip.Update();
}

}  // namespace rp
