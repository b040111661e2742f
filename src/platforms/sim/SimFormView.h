#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "ports/Ui.h"

namespace rp::sim {

class SimDesktop;

// What a native window would show for a form.
class SimFormView : public FormView {
 public:
  SimFormView(SimDesktop& desktop, Form& form);
  ~SimFormView() override;
  void Refresh() override;
  void SetFocus() override;
  void FocusControl(Control& control) override { focused = &control; }
  int OuterWidth() override;
  int OuterHeight() override;
  ScreenMetrics Screen() override;
  std::uintptr_t Handle() override { return handle; }
  bool Covered() override { return covered; }

  Form& form;
  std::uintptr_t handle;
  int dpi;  // of the monitor the window is on
  bool shown = false;
  bool covered = false;  // another window lies over all of it
  int focusCount = 0;
  Control* focused = nullptr;  // the control last given the keyboard focus
  std::vector<std::pair<int, int>> positions;  // every distinct Left/Top shown

 private:
  SimDesktop& desktop_;
};

}  // namespace rp::sim
