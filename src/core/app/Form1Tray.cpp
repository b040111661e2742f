#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "tray/TrayMenu.h"

namespace rp {
namespace {

// The balloon the first minimise of a run shows under the product name, which it reads on from.
std::string MinimiseNotice() {
  // TRANSLATORS: a balloon from the tray icon, reading on from its title, the product's name
  // ("Periodic Respite Prompter Utility has been minimized..."). With the next line it holds
  // about 255 characters.
  return Tr("has been minimized to the system tray.") + "\r\n" +
         // TRANSLATORS: the tray icon is a blue letter K, after the maker's name.
         Tr("Click on the blue 'K' icon (K for Kelvadore) to bring the software back.");
}

// What an entry of the tray icon's menu asks for, as the command line would.
Command FromTray(TrayCommand command, bool reminding) {
  switch (command) {
    case TrayCommand::Open: return {CommandKind::Open};
    case TrayCommand::BreakNow: return {CommandKind::Break};
    case TrayCommand::PauseFor30Minutes: return {CommandKind::Pause, 30};
    case TrayCommand::PauseFor1Hour: return {CommandKind::Pause, 60};
    case TrayCommand::PauseFor2Hours: return {CommandKind::Pause, 120};
    case TrayCommand::PauseUntilTomorrow: return {CommandKind::PauseUntilTomorrow};
    case TrayCommand::Resume: return {CommandKind::Resume};
    case TrayCommand::StartStop: return {reminding ? CommandKind::Stop : CommandKind::Start};
    case TrayCommand::Exit: return {CommandKind::Exit};
    case TrayCommand::None: break;
  }
  return {};
}

}  // namespace

void Form1::Form_Resize() {
  SysTrayModule& tray = program.mSysTray;
  Guard g(program.main, "Form1.Form_Resize");
  if (!g.Test(100, [&] { return WindowState() == kMinimized && !tray.HiddenInTray; })) return;
  g.Step(102, [&] { SetVisible(false); });
  // Normal again, so the window comes back at its normal size; the Resize this raises
  // finds the window not minimised.
  g.Step(104, [&] { SetWindowState(kNormal); });
  g.Step(106, [&] { tray.HiddenInTray = true; });
  g.Step(108, [&] { cSysTray1.ShowBalloon(MinimiseNotice(), kProductName, 5, true); });
}

void Form1::cSysTray1_MouseUp(int Button, std::int32_t) {
  constexpr int kRightButton = 2;
  if (Button != kRightButton || !considerate.GetOptions().trayMenu) return BringBack(*this, program.mSysTray);
  const TrayMenuState state{Reminding(), steering.Paused(), PushButton3.Text(),
                            program.main.SetByPolicy("StartStopState"), program.main.ExitAllowed()};
  const int chosen = program.platform.shell.ShowPopupMenu(View()->Handle(), TrayMenu(state));
  RunCommand(FromTray(static_cast<TrayCommand>(chosen), Reminding()));
}

void Form1::Form_AnotherCopyStarted() {
  // A second start is how many users look for a program that sits in the tray: this copy
  // comes back instead, restored if it was minimised.
  if (WindowState() == kMinimized) SetWindowState(kNormal);
  BringBack(*this, program.mSysTray);
}

void Form1::Form_ShellRestarted() {
  // The new shell knows no icons: without ours again, a window hidden in the tray is lost.
  cSysTray1.ShellRestarted();
}

}  // namespace rp
