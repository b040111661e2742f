#include <exception>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "countdown/modReminder.h"
#include "runtime/FlagScope.h"
#include "settings/Guard.h"

// The ways besides the main button to steer the reminders, as the tray icon's menu and the
// command line ask for them: a pause, a break on demand, starting and stopping.
namespace rp {

void Form1::RunCommand(const Command& command) {
  try {
    const bool byPolicy = program.main.SetByPolicy("StartStopState");
    switch (command.kind) {
      case CommandKind::Open: return BringBack(*this, program.mSysTray);
      case CommandKind::Pause:
      case CommandKind::PauseUntilTomorrow: {
        if (!Reminding() || byPolicy) return;
        const LocalDateTime now = program.platform.clock.LocalNow();
        steering.Pause(command.kind == CommandKind::Pause ? PauseEnd(now, command.minutes) : TomorrowMorning(now));
        sound.Stop();  // or the last break's sound would loop on through the pause
        return ShowHold();
      }
      case CommandKind::Resume:
        if (!steering.Paused()) return;
        steering.EndPause();
        countdown.ElapsedSeconds = 0;
        considerate.Reset();
        breaks.PeriodStartsAfresh();
        Frame1.SetText(NextBreakText(countdown.IntervalSeconds));
        return trayTip.Update();
      case CommandKind::Break: {
        // A break under way is the break asked for.
        if (!Reminding() || tickRunning_) return;
        FlagScope running(tickRunning_);
        Guard g(program.main, "Form1.TakeBreakNow");
        // A postponed or held break fell due with its period already. Any other ends the period
        // as its break would have, and is due in that one's place: no more taken than due.
        const bool fellDue = breaks.Postponed() || considerate.Held() != HoldReason::None ||
                             countdown.ElapsedSeconds >= countdown.IntervalSeconds;
        if (!fellDue) statistics.Due();
        considerate.Reset();
        return RunBreak(g);
      }
      case CommandKind::PostponeBreak:
      case CommandKind::SkipBreak: {
        const bool postpone = command.kind == CommandKind::PostponeBreak;
        GuidedBreak& guided = breaks.guided;
        if (!breaks.ChoiceOpen()) return;
        // The break window's own buttons, from elsewhere.
        if (guided.State() == GuidedState::Running) return postpone ? guided.Postpone() : guided.Skip();
        if (guided.SkipsLeft() <= 0) return;  // the warning's buttons are disabled
        // The break the warning told of falls due now, in the user's hands; no reminder fires.
        statistics.Due();
        if (postpone)
          guided.Postpone();
        else
          guided.Skip();
        breaks.CloseWarning();
        if (breaks.Postponed()) {
          countdown.ElapsedSeconds = countdown.IntervalSeconds;  // used up: the break comes back in five minutes
          breaks.ShowState();
          return trayTip.Update();
        }
        Guard g(program.main, "Form1.RunCommand");
        EndBreak(g, false);
        Frame1.SetText(NextBreakText(countdown.IntervalSeconds));
        return;
      }
      case CommandKind::Start:
      case CommandKind::Stop:
        if ((command.kind == CommandKind::Start) != Reminding() && !byPolicy) PushButton3_Click();
        return;
      case CommandKind::Exit:
        if (program.main.ExitAllowed()) Unload();  // as the window's close box
        return;
      case CommandKind::ExportSettings:
      case CommandKind::ImportSettings:  // run without a window, never handed over
      case CommandKind::None: return;
    }
  } catch (const std::exception& e) {
    OnUnguardedFailure("RunCommand", e.what());
  }
}

}  // namespace rp
