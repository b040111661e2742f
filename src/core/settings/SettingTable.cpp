#include "settings/SettingTable.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "settings/HotkeyText.h"
#include "settings/WorkingHours.h"

namespace rp {
namespace {

bool HasForm(TextForm form, std::string_view text) {
  WorkingHours hours;
  std::string problem;
  switch (form) {
    case TextForm::AnyLine: return !text.empty();
    case TextForm::WorkHours: return ParseWorkHours(text, hours, problem);
    case TextForm::WorkDays: return ParseWorkDays(text, hours, problem);
    case TextForm::Hotkey: return !text.empty() && ParseHotkey(text).has_value();
  }
  return false;
}

}  // namespace

const SettingDefinition* FindSetting(std::string_view name) {
  for (const SettingDefinition& setting : kSettings)
    if (setting.name == name) return &setting;
  return nullptr;
}

bool Accepts(const SettingDefinition& setting, std::string_view text) {
  const SettingValues& values = setting.values;
  switch (values.kind) {
    case SettingValues::Kind::Whole: {
      // Plain digits, as the templates' number boxes write them: no sign, no separators.
      if (text.empty() || text.size() > 9 || !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; }))
        return false;
      int number = 0;
      std::from_chars(text.data(), text.data() + text.size(), number);
      return number >= values.min && number <= values.max;
    }
    case SettingValues::Kind::OneOf:
      return std::ranges::find(values.choices, text) != values.choices.end();
    case SettingValues::Kind::Text:
      // One line: a settings file holds one value a line.
      if (text.find_first_of("\r\n") != std::string_view::npos) return false;
      return HasForm(values.form, text);
  }
  return false;
}

}  // namespace rp
