#pragma once
#include <string>
#include <vector>

namespace rp {

// A rectangle of the desktop in physical pixels. The primary monitor's top left is 0,0, so a
// monitor to the left of it or above it has negative coordinates.
struct DesktopRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Intersects(const DesktopRect& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  bool operator==(const DesktopRect&) const = default;
};

struct MonitorInfo {
  std::string name;      // the system's name for it ("\\.\DISPLAY2"), kept while it stays attached
  DesktopRect bounds;    // the whole monitor
  DesktopRect workArea;  // without the taskbar and other docked bars
  int dpi = 96;          // its own scale (the system's where Windows has no scale per monitor)
  bool primary = false;
  bool operator==(const MonitorInfo&) const = default;
};

// Told when monitors are attached, detached, rearranged or rescaled, or a work area changes.
class MonitorsListener {
 public:
  virtual ~MonitorsListener() = default;
  virtual void MonitorsChanged() = 0;
};

// The monitors of the desktop. Nothing is asked of the system or watched until first used.
class Monitors {
 public:
  virtual ~Monitors() = default;
  virtual std::vector<MonitorInfo> List() = 0;
  // The name of the monitor that holds the pointer.
  virtual std::string PointerMonitor() = 0;
  // Starts the change notifications to `listener`, or stops them (nullptr).
  virtual void Watch(MonitorsListener* listener) = 0;
};

}  // namespace rp
