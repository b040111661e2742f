#pragma once
#include <windows.h>

#include "ports/Monitors.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"

namespace rp::win32 {

// The monitors as Windows reports them, in physical pixels (the program is per-monitor aware).
// A hidden top-level window hears WM_DISPLAYCHANGE and work-area changes; it is made when the
// first watch starts, which happens only during a guided break. Wine reports one monitor.
class Win32Monitors : public Monitors {
 public:
  Win32Monitors(HINSTANCE instance, DpiFunctions& dpi) : instance_(instance), dpi_(dpi) {}

  std::vector<MonitorInfo> List() override;
  std::string PointerMonitor() override;
  void Watch(MonitorsListener* listener) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  DpiFunctions& dpi_;
  MonitorsListener* listener_ = nullptr;
  UniqueWindow window_;
};

}  // namespace rp::win32
