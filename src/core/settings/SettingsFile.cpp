#include "settings/SettingsFile.h"

#include <set>

#include "runtime/AtomicFile.h"
#include "runtime/Conversions.h"
#include "runtime/Translation.h"

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
  // TRANSLATORS: a line of a settings file left out; {name} is a setting's name as the file has it.
  if (!setting) return Fill(Tr("\"{name}\" is not a setting of this program"), {{"name", name}});
  if (setting->role != SettingRole::Carried)
    return Fill(Tr("\"{name}\" stays on the computer it was set on"), {{"name", name}});
  if (!Accepts(*setting, value))
    return Fill(Tr("\"{value}\" is not a value \"{name}\" takes"), {{"value", value}, {"name", name}});
  if (seen.contains(name)) return Fill(Tr("\"{name}\" is given twice"), {{"name", name}});
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
    // TRANSLATORS: why nothing was imported from a file: "Nothing was imported from {file}: {reason}."
    content.refusal = Tr("it is not UTF-8 text");
    return content;
  }
  std::string_view rest = text;
  const std::string_view header = Trimmed(NextLine(rest));
  if (!header.starts_with(kSettingsFileHeader)) {
    content.refusal = Tr("it is not a settings file of this program");
    return content;
  }
  const std::string_view format = header.substr(kSettingsFileHeader.size());
  if (format != std::to_string(kSettingsFileFormat)) {
    content.refusal = Fill(Tr("it is in format {format}, and this version reads format {supported}"),
                           {{"format", format}, {"supported", std::to_string(kSettingsFileFormat)}});
    return content;
  }
  std::set<std::string, std::less<>> seen;
  for (int number = 2; !rest.empty(); ++number) {
    const std::string_view line = Trimmed(NextLine(rest));
    if (line.empty() || line.starts_with('#')) continue;
    const auto equals = line.find('=');
    std::string problem;
    if (equals == std::string_view::npos) {
      // TRANSLATORS: a line of a settings file that is not of the form name=value; keep that as it is.
      problem = Fill(Tr("\"{line}\" is no name=value"), {{"line", line}});
    } else {
      const std::string_view name = Trimmed(line.substr(0, equals)), value = Trimmed(line.substr(equals + 1));
      problem = LineProblem(name, value, seen);
      if (problem.empty()) {
        seen.emplace(name);
        content.values.push_back({std::string(name), std::string(value)});
        continue;
      }
    }
    content.problems.push_back(Fill(Tr("line {line}: {problem}"), {{"line", std::to_string(number)}, {"problem", problem}}));
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
    else if (!own && setting.carriedAtDefault && Accepts(setting, setting.defaultValue))
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
  if (!result.written) return Fill(Tr("The settings could not be written to {file}."), {{"file", path}});
  // English says "settings" for one too, as it always has.
  const std::string pattern = TrPlural("Exported {count} settings to {file}.", "Exported {count} settings to {file}.",
                                       static_cast<long long>(result.count));
  return Fill(pattern, {{"count", std::to_string(result.count)}, {"file", path}});
}

ImportResult ImportSettings(ManagedSettings& settings, Files& files, std::string_view path) {
  ImportResult result;
  const auto text = files.ReadFile(path);
  if (!text) {
    result.refusal = Tr("the file could not be read");
    return result;
  }
  SettingsFileContent content = ReadSettingsFile(*text);
  result.refusal = std::move(content.refusal);
  result.problems = std::move(content.problems);
  for (const NamedValue& entry : content.values) {
    if (settings.SetByPolicy(entry.name)) {
      result.problems.push_back(Fill(Tr("\"{name}\" is set by your administrator and stays as it is"), {{"name", entry.name}}));
      continue;
    }
    settings.Save(entry.name, entry.value);
    ++result.stored;
  }
  return result;
}

std::string DescribeImport(const ImportResult& result, std::string_view path) {
  if (!result.refusal.empty())
    return Fill(Tr("Nothing was imported from {file}: {reason}."), {{"file", path}, {"reason", result.refusal}});
  // English says "settings" for one too, as it always has.
  const std::string pattern = TrPlural("Imported {count} settings from {file}.", "Imported {count} settings from {file}.",
                                       static_cast<long long>(result.stored));
  std::string message = Fill(pattern, {{"count", std::to_string(result.stored)}, {"file", path}});
  if (!result.problems.empty()) {
    // TRANSLATORS: heads the list of the lines of a settings file that were not imported.
    message += "\r\n\r\n" + Tr("Left out:");
    for (const std::string& problem : result.problems) message += "\r\n" + problem;
  }
  return message;
}

}  // namespace rp
