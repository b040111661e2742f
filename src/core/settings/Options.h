#pragma once
#include <algorithm>
#include <string>
#include <string_view>

#include "settings/HotkeyText.h"
#include "settings/Theme.h"
#include "settings/WorkingHours.h"

namespace rp {

class Main;

// The choices of the Options window, stored beside the main window's settings. Every one is
// off by default, and a stored value that cannot be read takes its default.
struct Options {
  static constexpr int kMinAwayMinutes = 1;
  static constexpr int kMaxAwayMinutes = 60;
  static constexpr int kMaxBreakMinutes = 30;
  static constexpr int kMaxSkipsADay = 20;
  static constexpr int kMaxWarnSeconds = 120;

  bool naturalBreaks = false;     // time away from the computer counts as a break
  int awayMinutes = 5;            // no input for this long means the user is away
  bool holdReminders = false;     // no break bursts into a presentation or a call
  bool tipShowsTimeLeft = false;  // the tray tip tells the time to the next break
  bool trayMenu = false;          // a right click on the tray icon opens a menu
  bool trayIconShowsProgress = false;  // the tray icon fills in as the period passes
  WorkingHours working;           // breaks are counted only inside these hours and days
  int breakMinutes = 0;           // a guided break this long ends each period; 0: none
  int skipsADay = 3;              // postpones and skips of a guided break a day; 0: none at all
  int warnSeconds = 0;            // a "Break Soon" window this long before a guided break; 0: none
  bool waitForTypingPause = false;  // a guided break waits for a pause in the user's typing
  bool eyeBreaks = false;         // a short look away every 20 minutes
  bool showExercises = false;     // the break windows show exercises, one at a time
  bool ownExercisesOnly = false;  // of those, the user's own alone (exercises.txt), when there is one
  std::string breakEndSound;       // played once when a guided break's time is up; "" for none
  bool keepStatistics = false;    // a record of breaks and screen time in a file of the user's
  std::string language;           // a tag of kLanguages; "" (English) is stored as nothing at all
  HotkeyChoices hotkeys{};        // keys that work from anywhere, in the order of KeyAction
  std::string calendar;           // an .ics file or an http(s) address; "": none
  ThemeChoice theme = ThemeChoice::Light;  // light is stored as nothing at all

  // Reads the stored choices; reading stores nothing.
  static Options Load(Main& main);
  // Stores each choice that differs from `before`, at once.
  void StoreChanges(Main& main, const Options& before) const;
  bool AnyOn() const {
    return naturalBreaks || holdReminders || tipShowsTimeLeft || trayMenu || trayIconShowsProgress ||
           !working.Always() || breakMinutes > 0 || warnSeconds > 0 || waitForTypingPause || eyeBreaks ||
           showExercises || ownExercisesOnly || !breakEndSound.empty() || keepStatistics || !calendar.empty() ||
           std::ranges::any_of(hotkeys, [](Hotkey key) { return !key.Empty(); });
  }
  bool operator==(const Options&) const = default;
};

// A whole number from `least` to `most` as typed: sets `value` and answers true, else false.
bool ParseWholeNumber(std::string_view text, int least, int most, int& value);
// A whole number of away minutes from 1 to 60 as typed, else nothing.
bool ParseAwayMinutes(std::string_view text, int& minutes);

}  // namespace rp
