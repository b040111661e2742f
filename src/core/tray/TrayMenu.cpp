#include "tray/TrayMenu.h"

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
  MenuEntry open = Item("Open", TrayCommand::Open);
  open.isDefault = true;
  // Pausing or taking a break means nothing while reminding is off.
  MenuEntry pause = Item("Pause Reminders", TrayCommand::None, state.reminding && !state.startStopByPolicy);
  pause.submenu = {Item("For 30 Minutes", TrayCommand::PauseFor30Minutes),
                   Item("For 1 Hour", TrayCommand::PauseFor1Hour),
                   Item("For 2 Hours", TrayCommand::PauseFor2Hours),
                   Item("Until Tomorrow", TrayCommand::PauseUntilTomorrow)};
  return {open,
          Item("Take a Break Now", TrayCommand::BreakNow, state.reminding),
          pause,
          Item("Resume Reminders", TrayCommand::Resume, state.paused),
          MenuEntry{},
          Item(state.startStopCaption, TrayCommand::StartStop, !state.startStopByPolicy),
          MenuEntry{},
          Item("Exit", TrayCommand::Exit, state.exitAllowed)};
}

}  // namespace rp
