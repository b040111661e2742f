#include "breaks/BreakWindows.h"

#include <algorithm>

#include "app/Form1.h"
#include "app/Program.h"
#include "runtime/Layout.h"

namespace rp {

BreakWindows::~BreakWindows() {
  try {
    Close();
  } catch (...) {
    // Nothing may leave a destructor; the windows go with their objects anyway.
  }
}

void BreakWindows::Open() {
  Close();
  Monitors& monitors = program_.platform.monitors;
  const std::vector<MonitorInfo> all = monitors.List();
  const MonitorInfo* focused = MonitorNamed(all, monitors.PointerMonitor());
  // The focused one last: showing the others must not take the focus from it.
  for (const MonitorInfo& monitor : all)
    if (&monitor != focused) windows_.push_back(OpenOn(monitor, false));
  if (focused) windows_.push_back(OpenOn(*focused, true));
  watching_ = true;
  monitors.Watch(this);
}

std::unique_ptr<FormBreak> BreakWindows::OpenOn(const MonitorInfo& monitor, bool focus) {
  auto window = std::make_unique<FormBreak>(program_, monitor, program_.form1->guidedBreak.Suggestion());
  ShowStateOn(*window);
  if (focus) {
    window->Show();
  } else {
    window->SetActivateOnShow(false);
    window->SetVisible(true);
  }
  return window;
}

void BreakWindows::ShowStateOn(FormBreak& window) {
  GuidedBreak& guided = program_.form1->guidedBreak;
  window.ShowState(guided.SecondsLeft(program_.platform.loop.NowMs()), guided.LengthSeconds(),
                   guided.SkipsLeft(), guided.Strict());
}

void BreakWindows::ShowState() {
  for (auto& window : windows_) ShowStateOn(*window);
}

void BreakWindows::Close() {
  if (watching_) {
    watching_ = false;
    program_.platform.monitors.Watch(nullptr);
  }
  for (auto& window : windows_) window->Unload();
  windows_.clear();
}

void BreakWindows::MonitorsChanged() {
  const std::vector<MonitorInfo> now = program_.platform.monitors.List();
  for (auto it = windows_.begin(); it != windows_.end();) {
    const MonitorInfo& was = *(*it)->Monitor();
    const auto found = std::find_if(now.begin(), now.end(), [&](const MonitorInfo& m) { return m.name == was.name; });
    if (found != now.end() && *found == was) {
      ++it;
      continue;
    }
    (*it)->Unload();
    if (found == now.end()) {
      it = windows_.erase(it);
    } else {
      *it = OpenOn(*found, false);
      ++it;
    }
  }
}

}  // namespace rp
