#include "sim/SimFormView.h"

#include <algorithm>

#include "runtime/Form.h"
#include "runtime/Layout.h"
#include "sim/SimDesktop.h"

namespace rp::sim {

SimFormView::SimFormView(SimDesktop& desktop, Form& form)
    : form(form),
      handle(desktop.nextHandle_ += 0x10),
      dpi(form.Monitor() ? form.Monitor()->dpi : desktop.monitorDpi ? desktop.monitorDpi : desktop.dpi),
      desktop_(desktop) {
  desktop_.views_.push_back(this);
}

SimFormView::~SimFormView() { std::erase(desktop_.views_, this); }

void SimFormView::Refresh() {
  shown = form.Visible();
  if (form.Placed() && (positions.empty() || positions.back() != std::pair{form.Left(), form.Top()}))
    positions.emplace_back(form.Left(), form.Top());
}

void SimFormView::SetFocus() { ++focusCount; }

// A fixed window has a 3-pixel border and a 23-pixel caption; a tool window a 17-pixel caption;
// a borderless window neither.
int SimFormView::OuterWidth() {
  if (form.Style() == FormStyle::Borderless) return form.ClientWidth();
  return form.ClientWidth() + PixelsToTwips(6, dpi);
}

int SimFormView::OuterHeight() {
  if (form.Style() == FormStyle::Borderless) return form.ClientHeight();
  const int caption = form.Style() == FormStyle::FixedToolWindow ? 17 : 23;
  return form.ClientHeight() + PixelsToTwips(6 + caption, dpi);
}

// The desktop's screen (through Screen(), where a test makes it fail), measured at this window's
// dots per inch.
ScreenMetrics SimFormView::Screen() {
  const ScreenMetrics system = desktop_.Screen();
  const auto measured = [&](int twips) { return PixelsToTwips(TwipsToPixels(twips, system.dpi), dpi); };
  return {measured(system.widthTwips), measured(system.heightTwips), dpi};
}

}  // namespace rp::sim
