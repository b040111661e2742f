#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ports/Monitors.h"

namespace rp::sim {

// The monitors as a test arranges them: one 1280 x 1024 monitor at 96 dots per inch with a
// 40-pixel taskbar at the bottom until the test says otherwise.
class SimMonitors : public Monitors {
 public:
  std::vector<MonitorInfo> List() override { return monitors; }
  std::string PointerMonitor() override { return pointer; }
  void Watch(MonitorsListener* l) override { listener = l; }

  // The user attaches, detaches or rearranges monitors; a watching program is told.
  void Change(std::vector<MonitorInfo> now) {
    monitors = std::move(now);
    if (listener) listener->MonitorsChanged();
  }

  std::vector<MonitorInfo> monitors{{"\\\\.\\DISPLAY1", {0, 0, 1280, 1024}, {0, 0, 1280, 984}, 96, true}};
  std::string pointer = "\\\\.\\DISPLAY1";
  MonitorsListener* listener = nullptr;
};

}  // namespace rp::sim
