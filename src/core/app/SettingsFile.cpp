#include "app/SettingsFile.h"

#include <set>

#include "schedule/StatisticsFile.h"

namespace rp {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned int code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // No longer form than needed, no surrogate halves, nothing past the last code point.
    const unsigned int smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

// The next line without its line end; `rest` moves past it.
std::string_view NextLine(std::string_view& rest) {
  const auto end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// Why a line's setting cannot be taken from a file, or "" when it can.
std::string LineProblem(std::string_view name, std::string_view value, const std::set<std::string, std::less<>>& seen) {
  const SettingDefinition* setting = FindSetting(name);
  if (!setting) return Quoted(name) + " is not a setting of this program";
  if (setting->role != SettingRole::Carried) return Quoted(name) + " stays on the computer it was set on";
  if (!Accepts(*setting, value)) return Quoted(value) + " is not a value " + Quoted(name) + " takes";
  if (seen.contains(name)) return Quoted(name) + " is given twice";
  return {};
}

}  // namespace

std::string SettingsFileText(const std::vector<NamedValue>& values) {
  std::string text = std::string(kSettingsFileHeader) + std::to_string(kSettingsFileFormat) + "\r\n";
  for (const NamedValue& entry : values) text += entry.name + "=" + entry.value + "\r\n";
  return text;
}

SettingsFileContent ReadSettingsFile(std::string_view text) {
  SettingsFileContent content;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  if (!IsUtf8(text)) {
    content.refusal = "it is not UTF-8 text";
    return content;
  }
  std::string_view rest = text;
  const std::string_view header = Trimmed(NextLine(rest));
  if (!header.starts_with(kSettingsFileHeader)) {
    content.refusal = "it is not a settings file of this program";
    return content;
  }
  const std::string_view format = header.substr(kSettingsFileHeader.size());
  if (format != std::to_string(kSettingsFileFormat)) {
    content.refusal = "it is in format " + std::string(format) + ", and this version reads format " +
                      std::to_string(kSettingsFileFormat);
    return content;
  }
  std::set<std::string, std::less<>> seen;
  for (int number = 2; !rest.empty(); ++number) {
    const std::string_view line = Trimmed(NextLine(rest));
    if (line.empty() || line.starts_with('#')) continue;
    const auto equals = line.find('=');
    std::string problem;
    if (equals == std::string_view::npos) {
      problem = Quoted(line) + " is no name=value";
    } else {
      const std::string_view name = Trimmed(line.substr(0, equals)), value = Trimmed(line.substr(equals + 1));
      problem = LineProblem(name, value, seen);
      if (problem.empty()) {
        seen.emplace(name);
        content.values.push_back({std::string(name), std::string(value)});
        continue;
      }
    }
    content.problems.push_back("line " + std::to_string(number) + ": " + problem);
  }
  return content;
}

std::vector<NamedValue> CarriedUserSettings(ManagedSettings& settings) {
  std::vector<NamedValue> carried;
  for (const SettingDefinition& setting : kSettings) {
    if (setting.role != SettingRole::Carried) continue;
    const auto own = settings.UserValue(setting.name);
    if (own && Accepts(setting, *own))
      carried.push_back({std::string(setting.name), *own});
    else if (!own && Accepts(setting, setting.defaultValue))
      carried.push_back({std::string(setting.name), std::string(setting.defaultValue)});
  }
  return carried;
}

ExportResult ExportSettings(ManagedSettings& settings, Files& files, std::string_view path) {
  const std::vector<NamedValue> carried = CarriedUserSettings(settings);
  // A file cut short would be read back as fewer settings: the whole file or none.
  return {WriteFileInOneStep(files, path, SettingsFileText(carried)), carried.size()};
}

std::string DescribeExport(const ExportResult& result, std::string_view path) {
  if (!result.written) return "The settings could not be written to " + std::string(path) + ".";
  return "Exported " + std::to_string(result.count) + " settings to " + std::string(path) + ".";
}

ImportResult ImportSettings(ManagedSettings& settings, Files& files, std::string_view path) {
  ImportResult result;
  const auto text = files.ReadFile(path);
  if (!text) {
    result.refusal = "the file could not be read";
    return result;
  }
  SettingsFileContent content = ReadSettingsFile(*text);
  result.refusal = std::move(content.refusal);
  result.problems = std::move(content.problems);
  for (const NamedValue& entry : content.values) {
    if (settings.SetByPolicy(entry.name)) {
      result.problems.push_back(Quoted(entry.name) + " is set by your administrator and stays as it is");
      continue;
    }
    settings.Save(entry.name, entry.value);
    ++result.stored;
  }
  return result;
}

std::string DescribeImport(const ImportResult& result, std::string_view path) {
  if (!result.refusal.empty())
    return "Nothing was imported from " + std::string(path) + ": " + result.refusal + ".";
  std::string message = "Imported " + std::to_string(result.stored) + " settings from " + std::string(path) + ".";
  if (!result.problems.empty()) {
    message += "\r\n\r\nLeft out:";
    for (const std::string& problem : result.problems) message += "\r\n" + problem;
  }
  return message;
}

}  // namespace rp
