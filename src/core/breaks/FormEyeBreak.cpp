#include "breaks/FormEyeBreak.h"

#include <algorithm>
#include <exception>

#include "breaks/BreakLook.h"
#include "runtime/Layout.h"
#include "runtime/Translation.h"
#include "breaks/EyeBreaks.h"
#include "breaks/GuidedBreak.h"

namespace rp {
namespace {

constexpr int kStepTwips = 30;  // as the "Break!" window moves
constexpr int kMovementMs = 1;
constexpr int kCountdownMs = 1000;

}  // namespace

FormEyeBreak::FormEyeBreak(Platform& platform)
    : Form(platform.ui, "FormEyeBreak", FormStyle::FixedToolWindow, 5400, 1140),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {120, 180, 5160, 345}, 0,
                        // TRANSLATORS: the eye break window's one line; keep it about as short as the English
                        TrNoop("Look at something far away"))),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, {120, 600, 5160, 420}, 1,
                        ClockText(EyeBreakRhythm::kLengthSeconds))),
      Timer1(platform.ui, [this] { Timer1_Timer(); }),
      Timer2(platform.ui, [this] { Timer2_Timer(); }),
      monitorsPort_(platform.monitors) {
  Label1.SetFont({"Arial", 12, true});
  Label2.SetFont({"Arial", 15.75, true});
  for (Control* label : {&Label1, &Label2}) {
    label->SetAlignment(TextAlign::Centre);
    label->SetForeColor(kCalmTextColour);
  }
  SetActivateOnShow(false);
}

FormEyeBreak::~FormEyeBreak() = default;

bool FormEyeBreak::Appear() {
  Monitors& monitors = monitorsPort_;
  monitors_ = monitors.List();
  const MonitorInfo* monitor = MonitorNamed(monitors_, monitors.PointerMonitor());
  if (!monitor) return false;
  SetMonitor(*monitor);
  SecondsLeft = EyeBreakRhythm::kLengthSeconds;
  SetVisible(true);
  if (Top() != RestTop)
    Timer1.SetInterval(kMovementMs);
  else
    Timer2.SetInterval(kCountdownMs);
  return true;
}

void FormEyeBreak::Form_Load() {
  SetCaption(Tr("Eye Break"));
  SetBackColor(kCalmBackColour);
  for (Control* label : {&Label1, &Label2}) label->SetBackColor(kCalmBackColour);
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

void FormEyeBreak::Timer1_Timer() {
  try {
    Step();
  } catch (const std::exception&) {
    Unload();  // the timers report nothing: the window just goes
  }
}

void FormEyeBreak::Timer2_Timer() {
  try {
    Tick();
  } catch (const std::exception&) {
    Unload();
  }
}

void FormEyeBreak::Step() {
  if (!Leaving) {
    SetTop(std::max(Top() - kStepTwips, RestTop));
    if (Top() > RestTop) return;
    Timer1.SetInterval(0);
    Timer2.SetInterval(kCountdownMs);
  } else {
    SetTop(std::min(Top() + kStepTwips, StartTop));
    if (Top() >= StartTop) Unload();
  }
}

void FormEyeBreak::Tick() {
  Label2.SetText(ClockText(--SecondsLeft));
  if (SecondsLeft > 0) return;
  Timer2.SetInterval(0);
  Leaving = true;
  if (StartTop == RestTop)
    Unload();
  else
    Timer1.SetInterval(kMovementMs);
}

void FormEyeBreak::Form_QueryUnload(int&, int) {
  // The timers go with the window.
  Timer1.SetInterval(0);
  Timer2.SetInterval(0);
}

}  // namespace rp
