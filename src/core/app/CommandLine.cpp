#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>

#include "app/Main.h"
#include "app/ManagedSettings.h"
#include "app/SettingsFile.h"

namespace rp {
namespace {

bool SameSwitch(std::string_view given, std::string_view name) {
  return std::ranges::equal(given, name, [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

const SwitchDefinition* FindSwitch(std::string_view argument) {
  for (const SwitchDefinition& definition : kSwitches)
    if (SameSwitch(argument, definition.name)) return &definition;
  return nullptr;
}

Command Invalid(std::string error) { return {CommandKind::Invalid, "", std::move(error)}; }

}  // namespace

Command ParseCommandLine(std::span<const std::string> arguments) {
  Command command;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const SwitchDefinition* definition = FindSwitch(arguments[i]);
    if (!definition) continue;
    if (command.kind != CommandKind::Run)
      return Invalid("Give one of " + std::string(kSwitches[0].name) + " and " + std::string(kSwitches[1].name) +
                     " at a time.");
    command.kind = definition->kind;
    if (!definition->takesFile) continue;
    if (i + 1 >= arguments.size() || arguments[i + 1].empty() || FindSwitch(arguments[i + 1]))
      return Invalid(std::string(definition->name) + " needs the name of a file after it.");
    command.file = arguments[++i];
  }
  return command;
}

CommandOutcome RunSettingsCommand(const Command& command, SettingsStore& store, Files& files, Dialogs& dialogs) {
  ManagedSettings settings(store);
  switch (command.kind) {
    case CommandKind::ExportSettings: {
      const ExportResult result = ExportSettings(settings, files, command.file);
      if (result.written) return {0, false};
      dialogs.MessageBox(DescribeExport(result, command.file), kProductName, kErrorStyle);
      return {2, false};
    }
    case CommandKind::ImportSettings: {
      const ImportResult result = ImportSettings(settings, files, command.file);
      const CommandOutcome outcome{!result.refusal.empty() ? 2 : result.problems.empty() ? 0 : 1, result.stored > 0};
      if (outcome.exitCode != 0)
        dialogs.MessageBox(DescribeImport(result, command.file), kProductName, kErrorStyle);
      return outcome;
    }
    case CommandKind::Invalid:
      dialogs.MessageBox(command.error, kProductName, kErrorStyle);
      return {2, false};
    case CommandKind::Run:
      break;
  }
  return {0, false};
}

}  // namespace rp
