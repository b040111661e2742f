#pragma once
#include <windows.h>

#include <optional>

#include "ports/Ui.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// Dots per inch, asked of the newest call the running Windows has: per monitor on Windows 8.1
// and later, the system's on older Windows (and wherever a monitor cannot be told).

// The system's dots per inch: the primary monitor's when the user logged on.
int SystemDpi();
// The primary screen's size in twips, measured at `dpi`.
ScreenMetrics ScreenAt(int dpi);

// The calls of newer Windows for a window's dots per inch, looked up at first use and kept.
class DpiFunctions {
 public:
  // The dots per inch of the monitor the window is on.
  int WindowDpi(HWND window);
  // The outer rectangle of a window of this style whose client area is `client`, with the
  // frame Windows draws at `dpi`.
  RECT OuterRect(RECT client, DWORD style, DWORD exStyle, int dpi);
  // The dots per inch of a monitor.
  int MonitorDpi(HMONITOR monitor);

 private:
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

  // Windows 8.1 tells a monitor's dots per inch only through shcore, which newer Windows does
  // not need: it is loaded there alone, on first use.
  GetDpiForMonitorFn MonitorDpiFunction();

  std::optional<GetDpiForWindowFn> forWindow_;
  SystemLibrary shcore_{L"shcore.dll"};
  std::optional<GetDpiForMonitorFn> forMonitor_;
  std::optional<AdjustWindowRectExForDpiFn> adjustForDpi_;
};

}  // namespace rp::win32
