#pragma once
#include <windows.h>

#include "ports/Ui.h"

namespace rp::win32 {

// Dots per inch, asked of the newest call the running Windows has: per monitor on Windows 8.1
// and later, the system's on older Windows (and wherever a monitor cannot be told).

// The system's dots per inch: the primary monitor's when the user logged on.
int SystemDpi();
// The dots per inch of the monitor the window is on.
int WindowDpi(HWND window);
// The dots per inch of a monitor.
int MonitorDpi(HMONITOR monitor);
// The outer rectangle of a window of this style whose client area is `client`, with the
// frame Windows draws at `dpi`.
RECT OuterRect(RECT client, DWORD style, DWORD exStyle, int dpi);
// The primary screen's size in twips, measured at `dpi`.
ScreenMetrics ScreenAt(int dpi);

}  // namespace rp::win32
