#include "schedule/Options.h"

#include <charconv>

#include "app/Main.h"

namespace rp {
namespace {

constexpr std::string_view kNaturalBreaks = "Natural Breaks";
constexpr std::string_view kAwayMinutes = "Away Minutes";
constexpr std::string_view kHoldReminders = "Hold Reminders";
constexpr std::string_view kTipShowsTimeLeft = "Tip Shows Time Left";
constexpr std::string_view kKeepStatistics = "Keep Statistics";

// Switches compare exactly, as every other stored switch does.
bool ReadSwitch(Main& main, std::string_view name) { return main.GetSetting(name, "Off") == "On"; }

void StoreSwitch(Main& main, std::string_view name, bool on, bool before) {
  if (on != before) main.SaveSetting(name, on ? "On" : "Off");
}

}  // namespace

bool ParseAwayMinutes(std::string_view text, int& minutes) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (value < Options::kMinAwayMinutes || value > Options::kMaxAwayMinutes) return false;
  minutes = value;
  return true;
}

Options Options::Load(Main& main) {
  Options options;
  options.naturalBreaks = ReadSwitch(main, kNaturalBreaks);
  ParseAwayMinutes(main.GetSetting(kAwayMinutes, "5"), options.awayMinutes);
  options.holdReminders = ReadSwitch(main, kHoldReminders);
  options.tipShowsTimeLeft = ReadSwitch(main, kTipShowsTimeLeft);
  options.keepStatistics = ReadSwitch(main, kKeepStatistics);
  return options;
}

void Options::StoreChanges(Main& main, const Options& before) const {
  StoreSwitch(main, kNaturalBreaks, naturalBreaks, before.naturalBreaks);
  if (awayMinutes != before.awayMinutes) main.SaveSetting(kAwayMinutes, std::to_string(awayMinutes));
  StoreSwitch(main, kHoldReminders, holdReminders, before.holdReminders);
  StoreSwitch(main, kTipShowsTimeLeft, tipShowsTimeLeft, before.tipShowsTimeLeft);
  StoreSwitch(main, kKeepStatistics, keepStatistics, before.keepStatistics);
}

}  // namespace rp
