#pragma once
#include <array>
#include <span>
#include <string_view>

#include "settings/Languages.h"

namespace rp {

// What may happen to a setting besides the user's own choice in the windows.
enum class SettingRole {
  Carried,  // the user's choice: a policy may set it, export and import carry it
  Kept,     // about this computer or this run: a policy may set it, it stays here
  State,    // the program's own memory: no policy sets it, it stays here
};

// A one-line text as the program's own parser of the setting reads it.
enum class TextForm {
  AnyLine,    // any text but an empty one
  WorkHours,  // "08:00-18:00" as the Options window reads it, or empty for always
  WorkDays,   // "Mon,Tue,Wed,Thu,Fri" as the Options window reads it, or empty for every day
  Hotkey,     // "Ctrl+Alt+B" as ParseHotkey reads it; no key is no value, and an export leaves it out
};

// The texts a setting accepts from a policy or an imported file. What the user typed and the
// program stored itself is read as it always was.
struct SettingValues {
  enum class Kind { Text, Whole, OneOf };
  Kind kind = Kind::Text;
  int min = 0, max = 0;                           // Whole: the range, in plain decimal digits
  std::span<const std::string_view> choices;      // OneOf: exactly these, in the templates' order
  TextForm form = TextForm::AnyLine;              // Text
};

constexpr SettingValues AnyText() { return {}; }
constexpr SettingValues TextWhere(TextForm form) { return {SettingValues::Kind::Text, 0, 0, {}, form}; }
constexpr SettingValues Whole(int min, int max) { return {SettingValues::Kind::Whole, min, max, {}}; }
constexpr SettingValues OneOf(std::span<const std::string_view> choices) {
  return {SettingValues::Kind::OneOf, 0, 0, choices};
}

inline constexpr std::string_view kOnOff[] = {"On", "Off"};
inline constexpr std::string_view kCheckedUnchecked[] = {"1", "0"};
// The language tags, with "en" for English: a policy's empty value would be no value, and an
// export leaves out a language the user never chose.
inline constexpr auto kLanguageTexts = [] {
  std::array<std::string_view, std::size(kLanguages)> texts{};
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kLanguages[i].tag.empty() ? "en" : kLanguages[i].tag;
  return texts;
}();

// "Light" is the design's colours, which the program stores as nothing.
inline constexpr std::string_view kThemeTexts[] = {"Light", "Dark", "System"};
// The exercises a guided break takes: the built-in ones with the user's own, or the user's alone.
inline constexpr std::string_view kOwnExercisesTexts[] = {"Only", "Mixed"};

struct SettingDefinition {
  std::string_view name;          // the value's name in the user's key and in the policy keys
  // When nothing is stored; "" where the program works it out, unless the setting takes "".
  std::string_view defaultValue;
  SettingValues values;
  SettingRole role;
  // An export carries the default of a setting the user never stored; the choices added later
  // are carried only once made, so that an export of a user who made none stays as it was.
  bool carriedAtDefault = true;
};

// Every value the program reads or stores, in the order the README lists them. A new setting
// is a new row here: the policies, export and import, the policy templates' test and the
// README's table all follow this list, and the program refuses to read or store a name that
// is not in it.
inline constexpr SettingDefinition kSettings[] = {
    {"Text1", "45", Whole(1, 32767), SettingRole::Carried},
    {"Alarm", "", AnyText(), SettingRole::Carried},  // the program's folder + "\break.wav"
    {"Check1", "1", OneOf(kCheckedUnchecked), SettingRole::Carried},
    {"Check2", "1", OneOf(kCheckedUnchecked), SettingRole::Carried},
    {"Check3", "0", OneOf(kCheckedUnchecked), SettingRole::Carried},
    {"Windows Startup", "Off", OneOf(kOnOff), SettingRole::Kept},
    {"Minimized", "Off", OneOf(kOnOff), SettingRole::Kept},
    {"StartStopState", "Off", OneOf(kOnOff), SettingRole::Kept},
    {"Natural Breaks", "Off", OneOf(kOnOff), SettingRole::Carried},
    {"Away Minutes", "5", Whole(1, 60), SettingRole::Carried},
    {"Hold Reminders", "Off", OneOf(kOnOff), SettingRole::Carried},
    {"Tip Shows Time Left", "Off", OneOf(kOnOff), SettingRole::Carried},
    {"Allow Exit", "On", OneOf(kOnOff), SettingRole::Kept},
    {"Tray Menu", "Off", OneOf(kOnOff), SettingRole::Carried},
    // Off unless stored: an export carries it once the user has chosen it.
    {"Tray Icon Shows Progress", "Off", OneOf(kOnOff), SettingRole::Carried, false},
    {"Work Hours", "", TextWhere(TextForm::WorkHours), SettingRole::Carried},
    {"Work Days", "", TextWhere(TextForm::WorkDays), SettingRole::Carried},
    {"Paused Until", "", AnyText(), SettingRole::State},
    {"Break Length", "0", Whole(0, 30), SettingRole::Carried},
    {"Skips A Day", "3", Whole(0, 20), SettingRole::Carried},
    {"Skips Used", "", AnyText(), SettingRole::State},
    {"Warn Before Break", "0", Whole(0, 120), SettingRole::Carried, false},
    {"Wait For Typing Pause", "Off", OneOf(kOnOff), SettingRole::Carried, false},
    {"Eye Breaks", "Off", OneOf(kOnOff), SettingRole::Carried},
    {"Show Exercises", "Off", OneOf(kOnOff), SettingRole::Carried, false},
    {"Own Exercises", "Mixed", OneOf(kOwnExercisesTexts), SettingRole::Carried, false},
    {"Break End Sound", "", AnyText(), SettingRole::Carried, false},
    {"Keep Statistics", "Off", OneOf(kOnOff), SettingRole::Carried},
    {"Language", "", OneOf(kLanguageTexts), SettingRole::Carried},
    {"Theme", "", OneOf(kThemeTexts), SettingRole::Carried, false},
    {"Hotkey Break Now", "", TextWhere(TextForm::Hotkey), SettingRole::Carried},
    {"Hotkey Pause", "", TextWhere(TextForm::Hotkey), SettingRole::Carried},
    {"Hotkey Postpone", "", TextWhere(TextForm::Hotkey), SettingRole::Carried},
    {"Hotkey Skip", "", TextWhere(TextForm::Hotkey), SettingRole::Carried},
    // A file path or an address; %USERNAME% and other variables in it are expanded when read.
    {"Calendar", "", AnyText(), SettingRole::Carried, false},
};

// The row of a name (exact, case-sensitive), or nullptr.
const SettingDefinition* FindSetting(std::string_view name);
// True when a policy or an imported file may give the setting this text.
bool Accepts(const SettingDefinition& setting, std::string_view text);
inline bool SetByPolicies(const SettingDefinition& setting) { return setting.role != SettingRole::State; }

}  // namespace rp
