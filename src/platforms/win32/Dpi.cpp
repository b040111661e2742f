#include "win32/Dpi.h"

#include "runtime/Layout.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {
namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// Windows 8.1 tells a monitor's dots per inch only through shcore, which newer Windows does not
// need: it is loaded there alone, on first use.
GetDpiForMonitorFn MonitorDpiFunction() {
  static SystemLibrary shcore(L"shcore.dll");
  static const auto function = shcore.Find<GetDpiForMonitorFn>("GetDpiForMonitor");
  return function;
}

}  // namespace

int SystemDpi() {
  if (auto get = LibraryFunction<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem")) return static_cast<int>(get());
  const int dpi = GetDeviceCaps(WindowDcScope(nullptr).dc(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  static const auto forWindow = LibraryFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (forWindow) {
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  } else if (auto forMonitor = MonitorDpiFunction()) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y)
      return static_cast<int>(y);
  }
  return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (auto forMonitor = MonitorDpiFunction(); forMonitor && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) && y)
    return static_cast<int>(y);
  return SystemDpi();
}

RECT OuterRect(RECT client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi = LibraryFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  return client;
}

ScreenMetrics ScreenAt(int dpi) {
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi), dpi};
}

}  // namespace rp::win32
