#include "reminders/Form2.h"

#include <exception>
#include <limits>
#include <utility>

#include "runtime/Conversions.h"
#include "runtime/Failure.h"
#include "runtime/Translation.h"
#include "settings/Guard.h"
#include "settings/Main.h"

namespace rp {
namespace {

constexpr int kStepTwips = 30;  // 2 pixels at 96 dots per inch
constexpr int kMovementMs = 1;  // as fast as the system's timer fires
constexpr int kStayTickMs = 1000;
constexpr std::uint32_t kRed = 0x0000FF;

}  // namespace

Form2::Form2(Platform& platform, Main& main, std::function<std::string()> stayText, bool& breakWindowClosed,
             std::function<void()> closed)
    : Form(platform.ui, "Form2", FormStyle::FixedToolWindow, 8040, 1395),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {120, 480, 7935, 345}, 0, TrNoop("Break!"))),
      Timer1(platform.ui, [this] { Timer1_Timer(); }),
      Timer2(platform.ui, [this] { Timer2_Timer(); }),
      platform_(platform),
      main_(main),
      stayText_(std::move(stayText)),
      breakWindowClosed_(breakWindowClosed),
      closed_(std::move(closed)) {
  SetCaption("   " + Tr("Break!"));  // set off from the caption's edge
  Label1.SetFont({"Arial", 15.75, true});
  Label1.SetForeColor(kRed);
  Label1.SetAlignment(TextAlign::Centre);
  Label1.onMouseMove = [this] { Label1_MouseMove(); };
}

Form2::~Form2() = default;

void Form2::Form_Load() {
  Main& main = main_;
  Guard g(main, "Form2.Form_Load");
  if (g.Test(100, [&] { return main.FileExists(main.ProgramFile("HAND-M.CUR")); })) {
    g.Step(102, [&] { SetMouseIcon(GetUi().LoadPicture(main.ProgramFile("HAND-M.CUR"))); });
  }
  g.Step(104, [&] { main.SetButtonFaceColors(*this); });
  g.Step(106, [&] { main.MakeTopmost(*this); });
  g.Step(112, [&] { FirstActivation = true; });
  // Flush with the right edge of the whole screen, just below its bottom edge.
  g.Step(114, [&] { SetLeft(Screen().widthTwips - Width()); });
  g.Step(116, [&] { SetTop(Screen().heightTwips); });
  g.Step(118, [&] { RestTop = Top() - Height(); });
  g.Step(120, [&] { Leaving = false; });
}

void Form2::Form_Activate() {
  Guard g(main_, "Form2.Form_Activate");
  if (g.Test(100, [&] { return FirstActivation; })) {
    g.Step(102, [&] { Timer1.SetInterval(kMovementMs); });
  }
  g.Step(104, [&] { FirstActivation = false; });
}

void Form2::Timer1_Timer() {
  try {
    platform_.loop.DoEvents();
    if (!IsLoaded()) return;  // closed meanwhile
    if (!Leaving) {
      SetTop(Top() - kStepTwips);
      // Arrived: it stays where this step left it, less than a step above RestTop.
      if (Top() <= RestTop) {
        Leaving = true;
        Timer2.SetInterval(kStayTickMs);
        Timer1.SetInterval(0);
        ShownSeconds = 0;
      }
    } else {
      SetTop(Top() + kStepTwips);
      if (Top() >= Screen().heightTwips) Unload();
    }
  } catch (const std::exception&) {
    CloseAfterFailure();
  }
}

void Form2::Timer2_Timer() {
  try {
    platform_.loop.DoEvents();
    if (!IsLoaded()) return;
    ++ShownSeconds;
    if (!(StaySeconds() > ShownSeconds)) StartLeaving();
  } catch (const std::exception&) {
    LeaveAfterFailure();
  }
}

double Form2::StaySeconds() const {
  const double stay = LeadingNumber(stayText_());
  // A stay the count of seconds could never reach would keep the break from ending.
  if (!(stay <= std::numeric_limits<std::int32_t>::max())) throw Failure("Overflow");
  return stay;
}

void Form2::StartLeaving() {
  Leaving = true;
  Timer2.SetInterval(0);
  Timer1.SetInterval(kMovementMs);
}

void Form2::LeaveAfterFailure() {
  try {
    StartLeaving();
  } catch (const std::exception&) {
    CloseAfterFailure();
  }
}

void Form2::CloseAfterFailure() {
  StopTimers();
  Unload();
}

void Form2::StopTimers() {
  Timer1.SetInterval(0);
  Timer2.SetInterval(0);
}

void Form2::Form_MouseMove() {
  // Holds the window up: on its way out it comes back, and the stay starts again.
  if (Leaving) {
    Leaving = false;
    ShownSeconds = 0;
  }
}

void Form2::Label1_MouseMove() { Form_MouseMove(); }

void Form2::Form_QueryUnload(int& cancel, int reason) {
  (void)cancel, (void)reason;  // the close always goes ahead
  EventLoop& loop = platform_.loop;
  Guard g(main_, "Form2.Form_QueryUnload");
  g.Step(100, [&] { breakWindowClosed_ = true; });
  g.Step(102, [&] { loop.DoEvents(); });
  g.Step(104, [&] { loop.DoEvents(); });
  StopTimers();  // the timers go with the window
  if (closed_) closed_();
}

}  // namespace rp
