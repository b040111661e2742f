#include "win32/Win32Monitors.h"

#include "win32/Dpi.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kMonitorsClass[] = L"RespitePrompterMonitors";

DesktopRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
  return TRUE;
}

}  // namespace

std::vector<MonitorInfo> Win32Monitors::List() {
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&handles));
  std::vector<MonitorInfo> monitors;
  for (HMONITOR monitor : handles) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) continue;
    monitors.push_back({Narrow(info.szDevice), FromRect(info.rcMonitor), FromRect(info.rcWork), dpi_.MonitorDpi(monitor),
                        (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return monitors;
}

std::string Win32Monitors::PointerMonitor() {
  POINT pointer{};
  GetCursorPos(&pointer);
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &info)) return "";
  return Narrow(info.szDevice);
}

void Win32Monitors::Watch(MonitorsListener* listener) {
  listener_ = listener;
  // Top-level, not message-only: the display broadcasts reach only top-level windows.
  if (listener_ && !window_)
    window_ = CreateHiddenWindow(instance_, kMonitorsClass, WindowProc, nullptr, WS_EX_TOOLWINDOW, WS_POPUP, this);
}

LRESULT CALLBACK Win32Monitors::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool changed = message == WM_DISPLAYCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA);
  auto* self = reinterpret_cast<Win32Monitors*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (changed && self && self->listener_) {
    try {
      self->listener_->MonitorsChanged();
    } catch (...) {
      // Nothing may leave a window procedure.
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace rp::win32
