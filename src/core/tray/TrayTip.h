#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/Main.h"
#include "settings/ManagedSettings.h"
#include "tray/TrayProgress.h"
#include "tray/cSysTray.h"

namespace rp {

// What the tray tip tells of, as the main window sees it now.
struct TipState {
  bool showsTimeLeft = false;   // the option: the tip tells the time to the next break
  bool reminding = false;
  std::string holdText;         // the pause or working hours' own words; "" when neither holds
  bool away = false;
  bool held = false;            // a break is held (a presentation, a call)
  std::string heldText;         // the hold's own words when it tells the time ("In a meeting until 15:00")
  std::int64_t secondsLeft = 0;  // to the next break, or to a postponed one
  std::string problem;          // why the statistics cannot be saved, translated; "" when they can
  bool iconShowsProgress = false;  // the option: the icon shows the period
  PeriodFacts period;
  std::vector<std::string> keysTaken;  // chosen keys another program holds, as the Options write them
};

// The tray icon's tip, and its picture of the period when the user asked for it (TrayProgress).
// The tip: the product's name, then what the user should know. With the option
// off it changes only when its note does (a held break, a record that cannot be saved, policy
// values ignored, keys another program holds); with it on it tells the state and the minutes left, so it changes at most
// once a minute.
class TrayTip {
 public:
  TrayTip(cSysTray& tray, TrayProgress& progress, ManagedSettings& settings, std::function<TipState()> state)
      : tray_(tray), progress_(progress), settings_(settings), state_(std::move(state)) {}

  void Update();
  // The policies were read afresh: the ignored values are named anew.
  void ReadPolicies();
  // The language changed: the tip is written again.
  void Retranslate() { note_ = "\n"; }
  // A note told once: shown after the tip as it stands, until the tip changes for anything else.
  void TellOnce(std::string note);

 private:
  cSysTray& tray_;
  TrayProgress& progress_;
  ManagedSettings& settings_;
  std::function<TipState()> state_;
  bool showedTimeLeft_ = false;
  // The policy values ignored, as the tip tells them; "" when none.
  std::string policyNote_;
  // What the tip tells besides the product's name with the option off, or with it on the
  // record's problem; "" when nothing, "\n" when it must be written again.
  std::string note_;
  std::string once_;
  std::optional<std::string> onceWith_;  // the tip the note was first shown with
  // The tip with the note told once while the tip is as it was when first shown with it.
  std::string WithOnce(const std::string& tip);
};

}  // namespace rp
