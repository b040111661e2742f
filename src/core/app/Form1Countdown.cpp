#include <cstdint>
#include <limits>

#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"
#include "reminders/Form2.h"
#include "runtime/Translation.h"
#include "countdown/modReminder.h"

namespace rp {
namespace {

// The break window may stay as long as the user likes: wait for events, not for a time.
constexpr std::int64_t kNoDeadline = std::numeric_limits<std::int64_t>::max();

// Clears a flag however the scope is left.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void Form1::Timer1_Timer() {
  // Ticks reach here during a break only when reminding was started again from the window
  // meanwhile; the break restarts the count when it ends, so such a tick has nothing to do.
  if (tickRunning_) return;
  FlagScope running(tickRunning_);

  Guard g(program.main, "Form1.Timer1_Timer");
  switch (steering.BeforeTick()) {
    case SteerPlan::Hold:
      return HoldCountdown();
    case SteerPlan::StartAfresh:
      StartFreshPeriod();
      break;
    case SteerPlan::Count:
      break;
  }
  const TickPlan plan = considerate.BeforeTick();
  statistics.Ticked(considerate.Away(), considerate.Absent(), considerate.Held() != HoldReason::None,
                    plan == TickPlan::StartOver);
  switch (plan) {
    case TickPlan::Wait:
      ShowPresence();
      return;
    case TickPlan::FireHeld:
      if (guidedBreak.State() == GuidedState::Postponed) return ResumePostponedBreak(g);
      // A period lengthened meanwhile is no longer due: it counts on.
      if (countdown.ElapsedSeconds >= countdown.IntervalSeconds) return RunBreak(g);
      break;
    case TickPlan::StartOver:
      countdown.ElapsedSeconds = 0;
      // The time away was the break: a postponed one is not due any more.
      guidedBreak.Drop();
      eyeBreaks.Restart();
      break;
    case TickPlan::Count:
      break;
  }
  if (guidedBreak.State() == GuidedState::Postponed) return PostponedTick(g);

  EventLoop& loop = program.platform.loop;
  g.Step(100, [&] { ++countdown.ElapsedSeconds; });
  g.Step(102, [&] { UpdateProgress(ProgressBar1, countdown.IntervalSeconds, countdown.ElapsedSeconds); });
  g.Step(102, [&] {
    Frame1.SetText(NextBreakText(countdown.SecondsLeft()));
  });
  g.Step(106, [&] { loop.DoEvents(); });
  if (!g.Test(108, [&] { return countdown.ElapsedSeconds >= countdown.IntervalSeconds; })) {
    CountEyeTime(countdown.SecondsLeft());
    return UpdateTrayTip();
  }
  statistics.Due();
  // The count stays where it is while the break is held, so the hold ends with this break.
  if (considerate.HoldDueBreak()) {
    statistics.Held();
    return ShowPresence();
  }
  RunBreak(g);
}

void Form1::RunBreak(Guard& g) {
  EventLoop& loop = program.platform.loop;
  MediaPlayer& player = program.platform.player;
  CloseEyeBreak();
  if (Check1.Value() == 1 || Check2.Value() == 1 || Check3.Value() == 1) statistics.Announced();
  g.Step(110, [&] { Timer1.SetEnabled(false); });
  g.Step(112, [&] { Timer1.SetInterval(0); });
  breakUnderWay_ = true;
  if (g.Test(116, [&] { return Check1.Value() == 1; })) {
    g.Step(118, [&] { player.SetLoop(true); });
    g.Step(120, [&] { player.Close(); });
    g.Step(122, [&] {
      breakSoundLooping_ = true;
      player.SetUrl(Text2.Text());
    });
  }
  if (g.Test(124, [&] { return Check2.Value() == 1; })) {
    g.Step(126, [&] { cSysTray1.ShowBalloon(Tr("Break!"), kProductName, 30); });
  }
  if (g.Test(128, [&] { return Check3.Value() == 1; })) {
    g.Step(130, [&] { program.globals.BreakWindowClosed = false; });
    g.Step(132, [&] {
      program.form2 = program.NewForm2();
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
  EndBreak(g);
}

void Form1::Form2_Closed() {
  // The wait above may lie under another window's modal loop (Options opened during the
  // break): the countdown goes on now, not when that window closes. A guided break follows
  // the reminders in the break's own course instead.
  if (!breakUnderWay_ || guidedBreak.On()) return;
  Guard g(program.main, "Form1.Timer1_Timer");
  EndBreak(g);
  tickRunning_ = false;  // the tick that ran the break has nothing left to do
}

void Form1::EndBreak(Guard& g) {
  if (!breakUnderWay_) return;
  breakUnderWay_ = false;
  // The guided break follows the reminders; a postponed one leaves the period used up.
  FinishBreak(g, guidedBreak.On() && GuideBreak());
}

void Form1::FinishBreak(Guard& g, bool postponed) {
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
  eyeBreaks.Restart();
  UpdateTrayTip();
}

void Form1::TakeBreakNow() {
  // A break under way is the break asked for.
  if (!Reminding() || tickRunning_) return;
  FlagScope running(tickRunning_);
  Guard g(program.main, "Form1.TakeBreakNow");
  // A postponed or held break fell due with its period already. Any other ends the period as
  // its break would have, and is due in that one's place: no more taken than due.
  const bool fellDue = guidedBreak.State() == GuidedState::Postponed || considerate.Held() != HoldReason::None ||
                       countdown.ElapsedSeconds >= countdown.IntervalSeconds;
  if (!fellDue) statistics.Due();
  considerate.Reset();
  if (guidedBreak.State() == GuidedState::Postponed) return ResumePostponedBreak(g);
  RunBreak(g);
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
    g.Step(136, [&] { StopBreakSound(); });
  }
  considerate.Reset();
  steering.EndPause();  // a pause ends with the reminding it paused
  // Either way the count starts afresh: no break is running or postponed, no eye break is up.
  guidedBreak.Drop();
  eyeBreaks.Restart();
  CloseEyeBreak();
  statistics.StretchEnded();
  UpdateTrayTip();
}

}  // namespace rp
