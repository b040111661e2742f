#include "breaks/CornerWindow.h"

#include <algorithm>
#include <exception>

#include "runtime/Layout.h"

namespace rp {
namespace {

constexpr int kStepTwips = 30;  // as the "Break!" window moves
constexpr int kMovementMs = 1;

}  // namespace

CornerWindow::CornerWindow(Platform& platform, std::string_view name, int width, int height)
    : Form(platform.ui, std::string(name), FormStyle::FixedToolWindow, width, height),
      Timer1(platform.ui, [this] { Timer1_Timer(); }),
      monitorsPort_(platform.monitors) {
  SetActivateOnShow(false);
}

CornerWindow::~CornerWindow() = default;

bool CornerWindow::Appear() {
  Monitors& monitors = monitorsPort_;
  monitors_ = monitors.List();
  const MonitorInfo* monitor = MonitorNamed(monitors_, monitors.PointerMonitor());
  if (!monitor) return false;
  SetMonitor(*monitor);
  SetVisible(true);
  if (Top() != RestTop)
    Timer1.SetInterval(kMovementMs);
  else
    Arrived();
  return true;
}

void CornerWindow::PlaceInCorner() {
  MakeTopmost();
  // In twips at the monitor's dots per inch, as the window's own size is.
  const MonitorInfo& monitor = *Monitor();
  const auto twips = [&](int pixels) { return PixelsToTwips(pixels, monitor.dpi); };
  const auto pixels = [&](int twips) { return TwipsToPixels(twips, monitor.dpi); };
  SetLeft(twips(monitor.workArea.right) - Width());
  RestTop = twips(monitor.workArea.bottom) - Height();
  const DesktopRect below{monitor.workArea.right - pixels(Width()), monitor.bounds.bottom, monitor.workArea.right,
                          monitor.bounds.bottom + pixels(Height())};
  const bool monitorBelow = std::any_of(monitors_.begin(), monitors_.end(), [&](const MonitorInfo& other) {
    return other.name != monitor.name && other.bounds.Intersects(below);
  });
  StartTop = monitorBelow ? RestTop : twips(monitor.bounds.bottom);
  SetTop(StartTop);
}

void CornerWindow::Timer1_Timer() {
  try {
    Step();
  } catch (const std::exception&) {
    Unload();  // the timers report nothing: the window just goes
  }
}

void CornerWindow::Step() {
  if (!Leaving) {
    SetTop(std::max(Top() - kStepTwips, RestTop));
    if (Top() > RestTop) return;
    Timer1.SetInterval(0);
    Arrived();
  } else {
    SetTop(std::min(Top() + kStepTwips, StartTop));
    if (Top() >= StartTop) Unload();
  }
}

void CornerWindow::Leave() {
  Leaving = true;
  if (StartTop == RestTop)
    Unload();
  else
    Timer1.SetInterval(kMovementMs);
}

void CornerWindow::Form_QueryUnload(int&, int) {
  Timer1.SetInterval(0);  // the timer goes with the window
}

}  // namespace rp
