#include "app/CommandLine.h"

#include <cctype>

#include "app/Program.h"
#include "settings/Main.h"
#include "settings/ManagedSettings.h"
#include "settings/SettingsFile.h"

namespace rp {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

const SwitchDefinition* FindSwitch(std::string_view argument) {
  const std::string name = Lower(argument);
  for (const SwitchDefinition& definition : kSwitches)
    if (name == definition.name) return &definition;
  return nullptr;
}

// A whole number of minutes from 1 to the most a pause may last, digits only.
bool ParseMinutes(std::string_view text, int& minutes) {
  if (text.empty() || text.size() > 4) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxPauseMinutes) return false;
  minutes = value;
  return true;
}

// Reads what follows the switch into the command; false when it is not what the switch takes.
bool ReadArgument(SwitchArgument argument, const std::string& text, Command& command) {
  switch (argument) {
    case SwitchArgument::Minutes:
      if (Lower(text) != "tomorrow") return ParseMinutes(text, command.minutes);
      command.kind = CommandKind::PauseUntilTomorrow;
      return true;
    case SwitchArgument::File:
      // A switch where the file should be means the file was left out.
      if (text.empty() || FindSwitch(text)) return false;
      command.file = text;
      return true;
    case SwitchArgument::None:
      break;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (arguments.empty()) return line;
  const SwitchDefinition* definition = FindSwitch(arguments[0]);
  if (!definition) {
    line.notUnderstood = arguments[0];
    return line;
  }
  Command command;
  command.kind = definition->kind;
  std::size_t used = 1;
  if (definition->argument != SwitchArgument::None) {
    used = 2;
    if (arguments.size() < 2 || !ReadArgument(definition->argument, arguments[1], command)) {
      line.notUnderstood = arguments.size() > 1 ? arguments[0] + " " + arguments[1] : arguments[0];
      return line;
    }
  }
  if (arguments.size() > used) {
    line.notUnderstood = arguments[used];
    return line;
  }
  line.command = command;
  return line;
}

std::string CommandText(const Command& command) {
  switch (command.kind) {
    case CommandKind::Pause: return "/pause " + std::to_string(command.minutes);
    case CommandKind::PauseUntilTomorrow: return "/pause tomorrow";
    case CommandKind::Resume: return "/resume";
    case CommandKind::Break: return "/break";
    case CommandKind::Start: return "/start";
    case CommandKind::Stop: return "/stop";
    case CommandKind::ExportSettings:
    case CommandKind::ImportSettings:
    case CommandKind::Open:
    case CommandKind::Exit:
    case CommandKind::PostponeBreak:
    case CommandKind::SkipBreak:
    case CommandKind::None: break;
  }
  return "";
}

Command FromKey(KeyAction action, bool paused) {
  switch (action) {
    case KeyAction::BreakNow: return {CommandKind::Break};
    case KeyAction::Pause: return paused ? Command{CommandKind::Resume} : Command{CommandKind::Pause, 30};
    case KeyAction::Postpone: return {CommandKind::PostponeBreak};
    case KeyAction::Skip: return {CommandKind::SkipBreak};
  }
  return {};
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t blank = text.find(' ', at);
    const std::size_t end = blank == std::string_view::npos ? text.size() : blank;
    if (end > at) arguments.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return arguments;
}

std::string CommandLineMessage(std::string_view notUnderstood) {
  // TRANSLATORS: {text} is the part of the command line as the user typed it.
  std::string message = Fill(Tr("The command line was not understood at \"{text}\". Nothing was changed."),
                             {{"text", notUnderstood}});
  message += "\r\n\r\n" + Tr("The program accepts one of these:");
  for (const SwitchDefinition& definition : kSwitches) {
    message += "\r\n" + Tr(definition.usage);
    if (!definition.moreUsage.empty()) message += "\r\n" + Tr(definition.moreUsage);
  }
  return message;
}

bool RunsWithoutWindow(const CommandLine& line) {
  return !line.notUnderstood.empty() || line.command.kind == CommandKind::ExportSettings ||
         line.command.kind == CommandKind::ImportSettings;
}

CommandOutcome RunWithoutWindow(const CommandLine& line, SettingsStore& store, Files& files, Dialogs& dialogs,
                                Translations& translations) {
  ManagedSettings settings(store);
  UseChosenLanguage(settings, translations);  // before a word is said
  if (!line.notUnderstood.empty()) {
    dialogs.MessageBox(CommandLineMessage(line.notUnderstood), kProductName, kErrorStyle);
    return {2, false};
  }
  const Command& command = line.command;
  if (command.kind == CommandKind::ExportSettings) {
    const ExportResult result = ExportSettings(settings, files, command.file);
    if (result.written) return {0, false};
    dialogs.MessageBox(DescribeExport(result, command.file), kProductName, kErrorStyle);
    return {2, false};
  }
  if (command.kind == CommandKind::ImportSettings) {
    const ImportResult result = ImportSettings(settings, files, command.file);
    const CommandOutcome outcome{!result.refusal.empty() ? 2 : result.problems.empty() ? 0 : 1, result.stored > 0};
    if (outcome.exitCode != 0) dialogs.MessageBox(DescribeImport(result, command.file), kProductName, kErrorStyle);
    return outcome;
  }
  return {0, false};
}

}  // namespace rp
