#include "breaks/BreakWindows.h"

#include <algorithm>

#include "breaks/GuidedBreak.h"
#include "runtime/Layout.h"

namespace rp {

BreakWindows::~BreakWindows() {
  try {
    Close();
  } catch (...) {
    // Nothing may leave a destructor; the windows go with their objects anyway.
  }
}

void BreakWindows::Open(const ExerciseShow* show) {
  Close();
  show_ = show;
  Monitors& monitors = platform_.monitors;
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
  auto window = std::make_unique<FormBreak>(platform_.ui, guided_, monitor, guided_.Suggestion(), show_);
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
  window.ShowState(guided_.SecondsLeft(platform_.loop.NowMs()), guided_.LengthSeconds(), guided_.SkipsLeft(),
                   guided_.Strict());
}

void BreakWindows::ShowState() {
  for (auto& window : windows_) ShowStateOn(*window);
}

void BreakWindows::Close() {
  if (watching_) {
    watching_ = false;
    platform_.monitors.Watch(nullptr);
  }
  for (auto& window : windows_) window->Unload();
  windows_.clear();
}

void BreakWindows::MonitorsChanged() {
  const std::vector<MonitorInfo> now = platform_.monitors.List();
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
