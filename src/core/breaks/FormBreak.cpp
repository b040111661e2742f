#include "breaks/FormBreak.h"

#include "breaks/BreakLook.h"
#include "breaks/GuidedBreak.h"
#include "runtime/Layout.h"
#include "settings/Main.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

// The window covers the work area; its content is a block as wide as the main window's, in the middle of the work area.
constexpr int kBlockWidth = 7800, kBlockHeight = 3585;

int WorkAreaWidth(const MonitorInfo& monitor) { return PixelsToTwips(monitor.workArea.Width(), monitor.dpi); }
int WorkAreaHeight(const MonitorInfo& monitor) { return PixelsToTwips(monitor.workArea.Height(), monitor.dpi); }

// A place in the block as a place in the window.
TwipsRect InBlock(const MonitorInfo& monitor, TwipsRect rect) {
  rect.left += (WorkAreaWidth(monitor) - kBlockWidth) / 2;
  rect.top += (WorkAreaHeight(monitor) - kBlockHeight) / 2;
  return rect;
}

}  // namespace

FormBreak::FormBreak(Ui& ui, GuidedBreak& guided, const MonitorInfo& monitor, std::string_view suggestion)
    : Form(ui, "FormBreak", FormStyle::Borderless, WorkAreaWidth(monitor), WorkAreaHeight(monitor)),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, InBlock(monitor, {0, 0, 7800, 645}), 2, TrNoop("Time for a break"))),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, InBlock(monitor, {0, 840, 7800, 600}), 3, std::string(suggestion))),
      ProgressBar1(AddControl(ControlKind::ProgressBar, "ProgressBar1", nullptr, InBlock(monitor, {0, 1680, 7800, 720}), 4, "")),
      // TRANSLATORS: a button of the break window; keep it about as short as the English
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, InBlock(monitor, {0, 2640, 3780, 480}), 0, TrNoop("Postpone 5 Minutes"))),
      // TRANSLATORS: a button of the break window; keep it about as short as the English
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, InBlock(monitor, {4020, 2640, 3780, 480}), 1, TrNoop("Skip Break"))),
      Label3(AddControl(ControlKind::Label, "Label3", nullptr, InBlock(monitor, {0, 3300, 7800, 285}), 5, "")),
      guided_(guided) {
  SetMonitor(monitor);
  SetDesignFonts(*this);
  Label1.SetFont({"Arial", 24, true});
  Label2.SetFont({"Arial", 12, true});
  ProgressBar1.SetFont({"Arial", 20, true});
  for (Control* label : {&Label1, &Label2, &Label3}) {
    label->SetAlignment(TextAlign::Centre);
    label->SetForeColor(kCalmTextColour);
  }
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
}

FormBreak::~FormBreak() = default;

void FormBreak::Form_Load() {
  SetCaption(Tr(kBreakCaption));
  SetBackColor(kCalmBackColour);
  for (Control* label : {&Label1, &Label2, &Label3}) label->SetBackColor(kCalmBackColour);
  MakeTopmost();
}

void FormBreak::Form_QueryUnload(int& cancel, int reason) {
  // Only the break closes its windows (and the end of the Windows session).
  if (reason != kCloseFromCode && reason != kCloseForWindowsSession) cancel = 1;
}

void FormBreak::PushButton1_Click() { guided_.Postpone(); }
void FormBreak::PushButton2_Click() { guided_.Skip(); }

void FormBreak::ShowState(int secondsLeft, int lengthSeconds, int skipsLeft, bool strict) {
  ProgressBar1.SetMax(lengthSeconds);
  ProgressBar1.SetValue(lengthSeconds - secondsLeft);
  ProgressBar1.SetText(ClockText(secondsLeft));
  for (Control* part : {&PushButton1, &PushButton2, &Label3}) part->SetVisible(!strict);
  PushButton1.SetEnabled(skipsLeft > 0);
  PushButton2.SetEnabled(skipsLeft > 0);
  Label3.SetText(SkipsLeftText(skipsLeft));
}

}  // namespace rp
