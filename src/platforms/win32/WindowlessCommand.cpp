#include "win32/WindowlessCommand.h"

#include <shellapi.h>

#include <memory>

#include "win32/RunningCopy.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Files.h"
#include "win32/Win32Settings.h"
#include "win32/Win32Translations.h"

namespace rp::win32 {

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                 &LocalFree);
  std::vector<std::string> result;
  for (int i = 1; arguments && i < count; ++i) result.push_back(Narrow(arguments.get()[i]));
  return result;
}

int RunWithoutWindow(const CommandLine& line, ComApartment& com, HINSTANCE instance) {
  Win32Settings settings;
  Win32Files files(com);
  Win32Dialogs dialogs(com);
  Win32Translations translations(instance);
  const CommandOutcome outcome = rp::RunWithoutWindow(line, settings, files, dialogs, translations);
  if (outcome.settingsChanged) RunningCopy::TellSettingsChanged();
  return outcome.exitCode;
}

}  // namespace rp::win32
