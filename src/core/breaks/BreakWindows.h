#pragma once
#include <memory>
#include <vector>

#include "ports/Platform.h"
#include "breaks/FormBreak.h"

namespace rp {

class GuidedBreak;

// The guided break's windows: one on each monitor as the monitors are when the break begins.
// A monitor detached during the break takes its window with it, and one rearranged or rescaled
// gets its window afresh; the break goes on.
class BreakWindows : private MonitorsListener {
 public:
  BreakWindows(Platform& platform, GuidedBreak& guided) : platform_(platform), guided_(guided) {}
  ~BreakWindows() override;
  BreakWindows(const BreakWindows&) = delete;
  BreakWindows& operator=(const BreakWindows&) = delete;

  // Opens them for the running break; the one on the monitor with the pointer takes the focus.
  // With `show`, they show its exercises; it outlives the windows.
  void Open(const ExerciseShow* show = nullptr);
  // Each window shows the running break as it stands now.
  void ShowState();
  void Close();
  const std::vector<std::unique_ptr<FormBreak>>& Windows() const { return windows_; }

 private:
  void MonitorsChanged() override;
  std::unique_ptr<FormBreak> OpenOn(const MonitorInfo& monitor, bool focus);
  void ShowStateOn(FormBreak& window);

  Platform& platform_;
  GuidedBreak& guided_;
  std::vector<std::unique_ptr<FormBreak>> windows_;
  bool watching_ = false;
  const ExerciseShow* show_ = nullptr;
};

}  // namespace rp
