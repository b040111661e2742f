#include "tray/TrayMenu.h"

#include "runtime/Translation.h"

namespace rp {
namespace {

MenuEntry Item(std::string text, TrayCommand command, bool enabled = true) {
  MenuEntry entry;
  entry.text = std::move(text);
  entry.command = static_cast<int>(command);
  entry.enabled = enabled;
  return entry;
}

}  // namespace

std::vector<MenuEntry> TrayMenu(const TrayMenuState& state) {
  // TRANSLATORS: the tray icon's menu entry that shows the main window.
  MenuEntry open = Item(Tr("Open"), TrayCommand::Open);
  open.isDefault = true;
  // Pausing or taking a break means nothing while reminding is off.
  MenuEntry pause = Item(Tr("Pause Reminders"), TrayCommand::None, state.reminding && !state.startStopByPolicy);
  // TRANSLATORS: the entries under "Pause Reminders" in the tray icon's menu.
  pause.submenu = {Item(Tr("For 30 Minutes"), TrayCommand::PauseFor30Minutes),
                   Item(Tr("For 1 Hour"), TrayCommand::PauseFor1Hour),
                   Item(Tr("For 2 Hours"), TrayCommand::PauseFor2Hours),
                   Item(Tr("Until Tomorrow"), TrayCommand::PauseUntilTomorrow)};
  return {open,
          Item(Tr("Take a Break Now"), TrayCommand::BreakNow, state.reminding),
          pause,
          Item(Tr("Resume Reminders"), TrayCommand::Resume, state.paused),
          MenuEntry{},
          Item(state.startStopCaption, TrayCommand::StartStop, !state.startStopByPolicy),
          MenuEntry{},
          // TRANSLATORS: the tray icon's menu entry that ends the program.
          Item(Tr("Exit"), TrayCommand::Exit, state.exitAllowed)};
}

}  // namespace rp
