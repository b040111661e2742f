#pragma once
#include <windows.h>

#include "ports/Hotkeys.h"

namespace rp::win32 {

// Keys registered with the system on one of the program's windows; the window hands each
// WM_HOTKEY back here.
class Win32Hotkeys : public Hotkeys {
 public:
  bool Register(std::uintptr_t window, int id, Hotkey key) override {
    // No repeats: a key held down is one press, not a break a second.
    return RegisterHotKey(reinterpret_cast<HWND>(window), id, key.modifiers | MOD_NOREPEAT, key.key) != FALSE;
  }
  void Unregister(std::uintptr_t window, int id) override { UnregisterHotKey(reinterpret_cast<HWND>(window), id); }
  void Pressed(WPARAM id) {
    if (onPressed) onPressed(static_cast<int>(id));
  }
};

// A key as a hot key control holds it (its key in the low byte, HOTKEYF_ flags in the high
// one), and back; the control has no Win key, so it is left out.
Hotkey FromHotkeyControl(LRESULT word);
WPARAM ToHotkeyControl(Hotkey key);

}  // namespace rp::win32
