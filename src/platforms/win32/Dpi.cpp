#include "win32/Dpi.h"

#include "runtime/Layout.h"

namespace rp::win32 {
namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

int SystemDpi() {
  if (auto get = LibraryFunction<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem")) return static_cast<int>(get());
  const int dpi = GetDeviceCaps(WindowDcScope(nullptr).dc(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

DpiFunctions::GetDpiForMonitorFn DpiFunctions::MonitorDpiFunction() {
  if (!forMonitor_) forMonitor_ = shcore_.Find<GetDpiForMonitorFn>("GetDpiForMonitor");
  return *forMonitor_;
}

int DpiFunctions::WindowDpi(HWND window) {
  if (!forWindow_) forWindow_ = LibraryFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (*forWindow_) {
    if (const UINT dpi = (*forWindow_)(window)) return static_cast<int>(dpi);
  } else if (auto forMonitor = MonitorDpiFunction()) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y)
      return static_cast<int>(y);
  }
  return SystemDpi();
}

int DpiFunctions::MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (auto forMonitor = MonitorDpiFunction(); forMonitor && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) && y)
    return static_cast<int>(y);
  return SystemDpi();
}

RECT DpiFunctions::OuterRect(RECT client, DWORD style, DWORD exStyle, int dpi) {
  if (!adjustForDpi_)
    adjustForDpi_ = LibraryFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!*adjustForDpi_ || !(*adjustForDpi_)(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  return client;
}

ScreenMetrics ScreenAt(int dpi) {
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi), dpi};
}

}  // namespace rp::win32
