#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/Win32Shell.h"

// The tray icon's popup menu, shown the shell's way: the owner comes to the foreground first,
// so that the menu closes when the user clicks elsewhere, and is sent a message after, so
// that a second click on the icon opens it again. The core decides the entries.
namespace rp::win32 {
namespace {

HMENU MakeMenu(const std::vector<MenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  for (const MenuEntry& entry : entries) {
    if (entry.text.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = entry.enabled ? MF_ENABLED : MF_GRAYED;
    const std::wstring text = Widen(entry.text);
    if (!entry.submenu.empty()) {
      HMENU submenu = MakeMenu(entry.submenu);
      // Once appended, the submenu is destroyed with its parent.
      if (submenu && !AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu), text.c_str()))
        DestroyMenu(submenu);
    } else {
      AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(entry.command), text.c_str());
      if (entry.isDefault) SetMenuDefaultItem(menu, static_cast<UINT>(entry.command), FALSE);
    }
  }
  return menu;
}

}  // namespace

int Win32Shell::ShowPopupMenu(std::uintptr_t owner, const std::vector<MenuEntry>& entries) {
  const UniqueMenu menu(MakeMenu(entries));
  if (!menu) return 0;
  const HWND window = reinterpret_cast<HWND>(owner);
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(window);
  const UINT align = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const int command = static_cast<int>(TrackPopupMenuEx(menu.get(), align | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON |
                                                                        TPM_RETURNCMD | TPM_NONOTIFY,
                                                        at.x, at.y, window, nullptr));
  PostMessageW(window, WM_NULL, 0, 0);
  return command;
}

}  // namespace rp::win32
