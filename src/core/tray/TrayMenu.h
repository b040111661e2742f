#pragma once
#include <string>
#include <vector>

#include "ports/Shell.h"

namespace rp {

// The commands of the tray icon's menu, as the menu hands them back.
enum class TrayCommand {
  None,
  Open,
  BreakNow,
  PauseFor30Minutes,
  PauseFor1Hour,
  PauseFor2Hours,
  PauseUntilTomorrow,
  Resume,
  StartStop,
  Exit,
};

// What the menu shows depends on.
struct TrayMenuState {
  bool reminding = false;
  bool paused = false;
  std::string startStopCaption;  // the main button's caption
};

// The entries of the tray icon's menu: "Open" (the default), "Take a Break Now", "Pause
// Reminders" with its lengths, "Resume Reminders", the main button's command and "Exit".
std::vector<MenuEntry> TrayMenu(const TrayMenuState& state);

}  // namespace rp
