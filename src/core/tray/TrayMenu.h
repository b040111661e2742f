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
  // An administrator's policy says whether reminding is on: starting, stopping and pausing
  // are not the user's.
  bool startStopByPolicy = false;
  bool exitAllowed = true;  // no policy keeps the program running
};

// The entries of the tray icon's menu: "Open" (the default), "Take a Break Now", "Pause
// Reminders" with its lengths, "Resume Reminders", the main button's command and "Exit"; what
// cannot be done now is greyed.
std::vector<MenuEntry> TrayMenu(const TrayMenuState& state);

}  // namespace rp
