#include "settings/Options.h"

#include <charconv>

#include "settings/Languages.h"
#include "settings/Main.h"

namespace rp {
namespace {

constexpr std::string_view kNaturalBreaks = "Natural Breaks";
constexpr std::string_view kAwayMinutes = "Away Minutes";
constexpr std::string_view kHoldReminders = "Hold Reminders";
constexpr std::string_view kTipShowsTimeLeft = "Tip Shows Time Left";
constexpr std::string_view kTrayMenu = "Tray Menu";
constexpr std::string_view kTrayIconShowsProgress = "Tray Icon Shows Progress";
constexpr std::string_view kWorkHours = "Work Hours";
constexpr std::string_view kWorkDays = "Work Days";
constexpr std::string_view kBreakLength = "Break Length";
constexpr std::string_view kSkipsADay = "Skips A Day";
constexpr std::string_view kEyeBreaks = "Eye Breaks";
constexpr std::string_view kShowExercises = "Show Exercises";
constexpr std::string_view kOwnExercises = "Own Exercises";
constexpr std::string_view kBreakEndSound = "Break End Sound";
constexpr std::string_view kWarnBeforeBreak = "Warn Before Break";
constexpr std::string_view kCalendar = "Calendar";
constexpr std::string_view kWaitForTypingPause = "Wait For Typing Pause";
constexpr std::string_view kKeepStatistics = "Keep Statistics";
constexpr std::string_view kLanguage = "Language";
constexpr std::string_view kTheme = "Theme";

// Switches compare exactly, as every other stored switch does.
bool ReadSwitch(Main& main, std::string_view name) { return main.GetSetting(name, "Off") == "On"; }

void StoreSwitch(Main& main, std::string_view name, bool on, bool before) {
  if (on != before) main.SaveSetting(name, on ? "On" : "Off");
}

void StoreNumber(Main& main, std::string_view name, int value, int before) {
  if (value != before) main.SaveSetting(name, std::to_string(value));
}

}  // namespace

bool ParseWholeNumber(std::string_view text, int least, int most, int& value) {
  int read = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (read < least || read > most) return false;
  value = read;
  return true;
}

bool ParseAwayMinutes(std::string_view text, int& minutes) {
  return ParseWholeNumber(text, Options::kMinAwayMinutes, Options::kMaxAwayMinutes, minutes);
}

Options Options::Load(Main& main) {
  Options options;
  options.naturalBreaks = ReadSwitch(main, kNaturalBreaks);
  ParseAwayMinutes(main.GetSetting(kAwayMinutes, "5"), options.awayMinutes);
  options.holdReminders = ReadSwitch(main, kHoldReminders);
  options.tipShowsTimeLeft = ReadSwitch(main, kTipShowsTimeLeft);
  options.trayMenu = ReadSwitch(main, kTrayMenu);
  options.trayIconShowsProgress = ReadSwitch(main, kTrayIconShowsProgress);
  std::string problem;
  ParseWorkHours(main.GetSetting(kWorkHours, ""), options.working, problem);
  ParseWorkDays(main.GetSetting(kWorkDays, ""), options.working, problem);
  ParseWholeNumber(main.GetSetting(kBreakLength, "0"), 0, kMaxBreakMinutes, options.breakMinutes);
  ParseWholeNumber(main.GetSetting(kSkipsADay, "3"), 0, kMaxSkipsADay, options.skipsADay);
  ParseWholeNumber(main.GetSetting(kWarnBeforeBreak, "0"), 0, kMaxWarnSeconds, options.warnSeconds);
  options.waitForTypingPause = ReadSwitch(main, kWaitForTypingPause);
  options.eyeBreaks = ReadSwitch(main, kEyeBreaks);
  options.showExercises = ReadSwitch(main, kShowExercises);
  options.ownExercisesOnly = main.GetSetting(kOwnExercises, "Mixed") == "Only";
  options.breakEndSound = main.GetSetting(kBreakEndSound, "");
  options.keepStatistics = ReadSwitch(main, kKeepStatistics);
  options.language = kLanguages[LanguageIndex(main.GetSetting(kLanguage, kEnglish))].tag;
  options.theme = ReadThemeChoice(main.GetSetting(kTheme, ""));
  for (std::size_t i = 0; i < kKeyActions; ++i)
    options.hotkeys[i] = ParseHotkey(main.GetSetting(kHotkeySettings[i], "")).value_or(Hotkey{});
  options.calendar = main.GetSetting(kCalendar, "");
  return options;
}

void Options::StoreChanges(Main& main, const Options& before) const {
  StoreSwitch(main, kNaturalBreaks, naturalBreaks, before.naturalBreaks);
  StoreNumber(main, kAwayMinutes, awayMinutes, before.awayMinutes);
  StoreSwitch(main, kHoldReminders, holdReminders, before.holdReminders);
  StoreSwitch(main, kTipShowsTimeLeft, tipShowsTimeLeft, before.tipShowsTimeLeft);
  StoreSwitch(main, kTrayMenu, trayMenu, before.trayMenu);
  StoreSwitch(main, kTrayIconShowsProgress, trayIconShowsProgress, before.trayIconShowsProgress);
  if (WorkHoursText(working) != WorkHoursText(before.working)) main.SaveSetting(kWorkHours, WorkHoursText(working));
  if (working.days != before.working.days) main.SaveSetting(kWorkDays, WorkDaysText(working));
  StoreNumber(main, kBreakLength, breakMinutes, before.breakMinutes);
  StoreNumber(main, kSkipsADay, skipsADay, before.skipsADay);
  StoreNumber(main, kWarnBeforeBreak, warnSeconds, before.warnSeconds);
  StoreSwitch(main, kWaitForTypingPause, waitForTypingPause, before.waitForTypingPause);
  StoreSwitch(main, kEyeBreaks, eyeBreaks, before.eyeBreaks);
  StoreSwitch(main, kShowExercises, showExercises, before.showExercises);
  if (ownExercisesOnly != before.ownExercisesOnly) main.SaveSetting(kOwnExercises, ownExercisesOnly ? "Only" : "Mixed");
  if (breakEndSound != before.breakEndSound) main.SaveSetting(kBreakEndSound, breakEndSound);
  StoreSwitch(main, kKeepStatistics, keepStatistics, before.keepStatistics);
  for (std::size_t i = 0; i < kKeyActions; ++i) {
    if (hotkeys[i] == before.hotkeys[i]) continue;
    if (hotkeys[i].Empty())
      main.Settings().Remove(kHotkeySettings[i]);  // no key is stored as nothing, as it began
    else
      main.SaveSetting(kHotkeySettings[i], HotkeyText(hotkeys[i]));
  }
  if (calendar != before.calendar) {
    if (calendar.empty())
      main.Settings().Remove(kCalendar);  // none is stored as nothing, as it began
    else
      main.SaveSetting(kCalendar, calendar);
  }
  if (language != before.language) {
    if (language == kEnglish)
      main.Settings().Remove(kLanguage);
    else
      main.SaveSetting(kLanguage, language);
  }
  if (theme != before.theme) {
    if (theme == ThemeChoice::Light)
      main.Settings().Remove(kTheme);
    else
      main.SaveSetting(kTheme, ThemeText(theme));
  }
}

}  // namespace rp
