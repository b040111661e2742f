#include "win32/SettingsCommand.h"

#include <shellapi.h>

#include "win32/RunningCopy.h"
#include "win32/Text.h"
#include "win32/Win32Services.h"

namespace rp::win32 {

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Narrow(list[i]));
  LocalFree(list);
  return arguments;
}

int RunSettingsCommand(const Command& command) {
  Win32Settings settings;
  Win32Files files;
  Win32Dialogs dialogs;
  const CommandOutcome outcome = rp::RunSettingsCommand(command, settings, files, dialogs);
  if (outcome.settingsChanged) RunningCopy::TellSettingsChanged();
  return outcome.exitCode;
}

}  // namespace rp::win32
