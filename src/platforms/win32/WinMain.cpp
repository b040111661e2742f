#include <windows.h>

#include <cstdlib>

#include "app/Program.h"
#include "win32/Win32Desktop.h"
#include "win32/RunningCopy.h"
#include "win32/SettingsCommand.h"
#include "win32/Win32MediaPlayer.h"
#include "win32/Win32Numbers.h"
#include "win32/Win32Presence.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Services.h"
#include "win32/Win32Shell.h"
#include "win32/Win32WallClock.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // A drive without its disc fails a file check quietly instead of asking the user.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // Export and import run beside a running copy, without a window of their own.
  const rp::Command command = rp::ParseCommandLine(rp::win32::CommandLineArguments());
  if (command.kind != rp::CommandKind::Run) return rp::win32::RunSettingsCommand(command);
  // A second start shows the running copy and ends, touching no setting.
  rp::win32::RunningCopy copy;
  if (copy.AnotherRuns()) {
    rp::win32::RunningCopy::BringBackTheOther();
    return 0;
  }

  rp::win32::Win32Settings settings;
  rp::win32::Win32Files files;
  rp::win32::Win32Dialogs dialogs;
  rp::win32::Win32MediaPlayer player;
  rp::win32::Win32Desktop desktop(instance);
  rp::win32::Win32Registry registry;
  rp::win32::Win32Shell shell(instance);
  rp::win32::Win32Numbers numbers;
  rp::win32::Win32Presence presence(instance);
  rp::win32::Win32WallClock clock;
  rp::Platform platform{settings, files, dialogs, player, desktop, desktop, registry, shell, numbers, presence, clock};

  rp::Program program(platform);
  program.Start();
  return desktop.Run();
}

// A windowed program has no console to print the name of an uncaught exception on, so the
// standard handler's C++ name demangler (46 KB of code) is left out.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
