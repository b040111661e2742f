#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/Program.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32MediaPlayer.h"
#include "platform/win32/Win32Presence.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the open-file dialog needs it

  rp::win32::Win32Settings settings;
  rp::win32::Win32Files files;
  rp::win32::Win32Dialogs dialogs;
  rp::win32::Win32MediaPlayer player;
  rp::win32::Win32Desktop desktop(instance);
  rp::win32::Win32Registry registry;
  rp::win32::Win32Shell shell(instance);
  rp::win32::Win32Presence presence(instance);
  rp::Platform platform{settings, files, dialogs, player, desktop, desktop, registry, shell, presence};

  rp::Program program(platform);
  program.Start();
  return desktop.Run();
}
