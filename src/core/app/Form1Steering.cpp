#include <exception>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "countdown/modReminder.h"
#include "tray/TrayMenu.h"

// The ways besides the main button to steer the reminders: a pause, a break on demand, the
// tray icon's menu and the command line.
namespace rp {

void Form1::RestorePause() {
  steering.Restore(Reminding() && !StartStopSetByPolicy());
  if (steering.Holding() != SteerHold::None) HoldCountdown();
}

void Form1::StartFreshPeriod() {
  countdown.ElapsedSeconds = 0;
  considerate.Reset();
  // A break under way (Resume from the tray during it) runs on; one postponed is not due now.
  if (guidedBreak.State() == GuidedState::Postponed) guidedBreak.Drop();
  eyeBreaks.Restart();
}

void Form1::HoldCountdown() {
  countdown.ElapsedSeconds = 0;
  ProgressBar1.SetValue(0);
  Frame1.SetText(steering.Caption());
  UpdateTrayTip();
}

bool Form1::StartStopSetByPolicy() { return program.main.SetByPolicy("StartStopState"); }

void Form1::SetReminding(bool on) {
  if (on != Reminding() && !StartStopSetByPolicy()) PushButton3_Click();
}

void Form1::PauseUntil(const LocalDateTime& until) {
  if (!Reminding() || StartStopSetByPolicy()) return;
  steering.Pause(until);
  StopBreakSound();  // or the last break's sound would loop on through the pause
  HoldCountdown();
}

void Form1::PauseFor(int minutes) { PauseUntil(PauseEnd(program.platform.clock.LocalNow(), minutes)); }

void Form1::PauseUntilTomorrow() { PauseUntil(TomorrowMorning(program.platform.clock.LocalNow())); }

void Form1::ResumeReminders() {
  if (!steering.Paused()) return;
  steering.EndPause();
  StartFreshPeriod();
  Frame1.SetText(NextBreakText(countdown.IntervalSeconds));
  UpdateTrayTip();
}

void Form1::ShowTrayMenu() {
  const TrayMenuState state{Reminding(), steering.Paused(), PushButton3.Text(), StartStopSetByPolicy(), ExitAllowed()};
  const int chosen = program.platform.shell.ShowPopupMenu(View()->Handle(), TrayMenu(state));
  RunTrayCommand(static_cast<TrayCommand>(chosen));
}

void Form1::RunTrayCommand(TrayCommand command) {
  switch (command) {
    case TrayCommand::Open: return BringBack();
    case TrayCommand::BreakNow: return TakeBreakNow();
    case TrayCommand::PauseFor30Minutes: return PauseFor(30);
    case TrayCommand::PauseFor1Hour: return PauseFor(60);
    case TrayCommand::PauseFor2Hours: return PauseFor(120);
    case TrayCommand::PauseUntilTomorrow: return PauseUntilTomorrow();
    case TrayCommand::Resume: return ResumeReminders();
    case TrayCommand::StartStop: return SetReminding(!Reminding());
    case TrayCommand::Exit:
      if (ExitAllowed()) Unload();  // as the window's close box
      return;
    case TrayCommand::None: return;
  }
}

void Form1::RunCommand(const Command& command) {
  try {
    switch (command.kind) {
      case CommandKind::Pause: return PauseFor(command.minutes);
      case CommandKind::PauseUntilTomorrow: return PauseUntilTomorrow();
      case CommandKind::Resume: return ResumeReminders();
      case CommandKind::Break: return TakeBreakNow();
      case CommandKind::Start: return SetReminding(true);
      case CommandKind::Stop: return SetReminding(false);
      case CommandKind::ExportSettings:
      case CommandKind::ImportSettings:  // run without a window, never handed over
      case CommandKind::None: return;
    }
  } catch (const std::exception& e) {
    OnUnguardedFailure("RunCommand", e.what());
  }
}

}  // namespace rp
