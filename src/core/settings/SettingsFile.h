#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ManagedSettings.h"
#include "ports/Files.h"
#include "runtime/Translation.h"

namespace rp {

// The file that carries the user's settings to another computer: UTF-8 text, a first line
// naming the program and the format, then one name=value a line. Blank lines and lines that
// start with '#' are skipped.
inline constexpr std::string_view kSettingsFileHeader = "Periodic Respite Prompter Utility settings, format ";
inline constexpr int kSettingsFileFormat = 1;
// TRANSLATORS: the file types of the Export and Import Settings dialogs: a name shown, then "|"
// and its pattern, each pair ending in "|". Translate the names only.
inline constexpr std::string_view kSettingsFileFilter = TrNoop("Settings files (*.txt)|*.txt|All files (*.*)|*.*|");
inline constexpr std::string_view kSettingsFileName = "Respite Prompter settings.txt";

struct NamedValue {
  std::string name, value;
  bool operator==(const NamedValue&) const = default;
};

std::string SettingsFileText(const std::vector<NamedValue>& values);

// A file's settings: a file refused as a whole gives only the reason; otherwise the lines that
// name a carried setting with a value it takes, and one problem for each other line.
// The refusal and the problems are in the user's language.
struct SettingsFileContent {
  std::string refusal;
  std::vector<NamedValue> values;
  std::vector<std::string> problems;
};
SettingsFileContent ReadSettingsFile(std::string_view text);

// What export writes: every carried setting with the user's own value, or its default when the
// user has none. A stored value the setting does not take stays behind.
std::vector<NamedValue> CarriedUserSettings(ManagedSettings& settings);

struct ExportResult {
  bool written = false;
  std::size_t count = 0;
};
ExportResult ExportSettings(ManagedSettings& settings, Files& files, std::string_view path);
std::string DescribeExport(const ExportResult& result, std::string_view path);

// Checks the whole file first, then stores its good values as the user's own; a setting an
// administrator's policy sets keeps the user's value and is listed with the problems.
struct ImportResult {
  std::string refusal;  // nothing was stored
  std::vector<std::string> problems;
  std::size_t stored = 0;
};
ImportResult ImportSettings(ManagedSettings& settings, Files& files, std::string_view path);
std::string DescribeImport(const ImportResult& result, std::string_view path);

}  // namespace rp
