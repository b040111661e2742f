#include <windows.h>

#include <cstdlib>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "win32/RunningCopy.h"
#include "win32/SystemLibrary.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Fetcher.h"
#include "win32/Win32Files.h"
#include "win32/Win32MediaPlayer.h"
#include "win32/Win32Monitors.h"
#include "win32/Win32Numbers.h"
#include "win32/Win32Presence.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Settings.h"
#include "win32/Win32Shell.h"
#include "win32/WindowlessCommand.h"
#include "win32/Win32TimeZones.h"
#include "win32/Win32WallClock.h"

namespace {

// An installer that has to replace the exe closes the program; Windows' Restart Manager then
// starts it again without arguments, as a normal start, once the update is in place. Not after
// a crash, a hang or a restart of Windows: the program behaves as before in every other way.
void RestartAfterUpdates() {
  using RegisterFn = HRESULT(WINAPI*)(PCWSTR, DWORD);
  if (auto registerRestart = rp::win32::LibraryFunction<RegisterFn>(L"kernel32.dll", "RegisterApplicationRestart")) {
    registerRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // A drive without its disc fails a file check quietly instead of asking the user.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  rp::win32::ComApartment com;
  // A command line that is not understood changes nothing: one box says so, and the start ends.
  // Export and import run beside a running copy, without a window of their own.
  const rp::CommandLine line = rp::ParseCommandLine(rp::win32::CommandLineArguments());
  if (rp::RunsWithoutWindow(line)) return rp::win32::RunWithoutWindow(line, com, instance);
  // A second start shows the running copy, or hands it the command, and ends, touching no setting.
  rp::win32::RunningCopy copy;
  if (copy.AnotherRuns()) {
    if (line.command.kind != rp::CommandKind::None)
      return rp::win32::RunningCopy::SendToTheOther(rp::CommandText(line.command)) ? 0 : 1;
    rp::win32::RunningCopy::BringBackTheOther();
    return 0;
  }
  RestartAfterUpdates();

  rp::win32::Win32Settings settings;
  rp::win32::Win32Files files(com);
  rp::win32::Win32Dialogs dialogs(com);
  rp::win32::Win32MediaPlayer player;
  rp::win32::Win32Desktop desktop(instance, com);
  rp::win32::Win32Registry registry;
  rp::win32::Win32Shell shell(instance);
  rp::win32::Win32Numbers numbers;
  rp::win32::Win32Presence presence(instance);
  rp::win32::Win32WallClock clock;
  rp::win32::Win32Monitors monitors(instance, desktop.dpiFunctions());
  rp::win32::Win32Fetcher fetcher(instance);
  rp::win32::Win32TimeZones zones;
  rp::Platform platform{settings, files,   dialogs,  player, desktop, desktop,
                        registry, shell, numbers, presence, clock, monitors, desktop.hotkeys(),
                        fetcher,  zones};

  rp::Program program(platform);
  program.Start();
  rp::win32::CommandChannel channel(instance, [&](const rp::Command& command) { program.form1->RunCommand(command); });
  program.form1->RunCommand(line.command);
  return desktop.Run();
}

// A windowed program has no console to print the name of an uncaught exception on, so the
// standard handler's C++ name demangler (46 KB of code) is left out.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
