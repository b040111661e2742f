#include "app/Form1.h"

#include "calendar/CalendarTexts.h"

#include "app/CommandLine.h"
#include "app/Program.h"
#include "countdown/modReminder.h"

// The main window's controls, their places in twips and tab order, and their events.
namespace rp {

Form1::Form1(Program& program)
    : Form(program.platform.ui, "Form1", FormStyle::FixedSingle, 8040, 5445),
      program(program),
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {120, 120, 7800, 405}, 16, std::string(kStartReminding))),
      // TRANSLATORS: the countdown's frame before the first second is counted.
      Frame1(AddControl(ControlKind::Frame, "Frame1", nullptr, {120, 600, 7800, 915}, 0, TrNoop("Next break will occur in 00:00:00"))),
      ProgressBar1(AddControl(ControlKind::ProgressBar, "ProgressBar1", &Frame1, {240, 300, 7320, 405}, 1, std::string(kProgressBarText))),
      Frame2(AddControl(ControlKind::Frame, "Frame2", nullptr, {120, 1560, 7800, 1335}, 2, TrNoop("Break Sound File"))),
      Text2(AddControl(ControlKind::TextBox, "Text2", &Frame2, {240, 300, 7335, 345}, 3, "")),
      // TRANSLATORS: a button caption; keep it about as short as the English.
      PushButton5(AddControl(ControlKind::PushButton, "PushButton5", &Frame2, {240, 750, 3600, 405}, 4, TrNoop("Change Sound File"))),
      // TRANSLATORS: a button caption; keep it about as short as the English.
      PushButton4(AddControl(ControlKind::PushButton, "PushButton4", &Frame2, {3960, 750, 3600, 405}, 5, TrNoop("Test Break Sound"))),
      // TRANSLATORS: the caption of the frame around the box that takes the minutes between breaks.
      Frame5(AddControl(ControlKind::Frame, "Frame5", nullptr, {120, 2940, 7800, 825}, 11, TrNoop("Break every minutes"))),
      Text1(AddControl(ControlKind::TextBox, "Text1", &Frame5, {240, 300, 7335, 345}, 12, "1")),
      Frame4(AddControl(ControlKind::Frame, "Frame4", nullptr, {120, 3810, 7800, 735}, 10, TrNoop("Reminder Option"))),
      // TRANSLATORS: a check box caption; keep it about as short as the English.
      Check1(AddControl(ControlKind::CheckBox, "Check1", &Frame4, {240, 300, 1740, 285}, 13, TrNoop("Audio Reminder"))),
      // TRANSLATORS: a check box caption; keep it about as short as the English.
      Check2(AddControl(ControlKind::CheckBox, "Check2", &Frame4, {2280, 300, 1860, 285}, 14, TrNoop("Balloon Reminder"))),
      // TRANSLATORS: a check box caption; keep it about as short as the English.
      Check3(AddControl(ControlKind::CheckBox, "Check3", &Frame4, {4440, 300, 2220, 285}, 15, TrNoop("Full Screen Reminder"))),
      Frame3(AddControl(ControlKind::Frame, "Frame3", nullptr, {120, 4590, 7800, 765}, 7, TrNoop("Startup Option"))),
      // TRANSLATORS: a check box caption; keep it about as short as the English.
      Check4(AddControl(ControlKind::CheckBox, "Check4", &Frame3, {240, 300, 3930, 285}, 8, TrNoop("Load this software on Windows startup"))),
      // As wide as the frame allows: the translations name the notification area in full.
      // TRANSLATORS: a check box caption of at most about 210 pixels; with the box before it
      // checked, the program starts minimized into the notification area.
      Check8(AddControl(ControlKind::CheckBox, "Check8", &Frame3, {4200, 300, 3480, 285}, 9, TrNoop("Minimized to system tray"))),
      Timer1(program.platform.ui, [this] { Timer1_Timer(); }),
      cSysTray1({program.mSysTray, program.platform.shell, program.platform.ui, program.platform.loop}, *this, "cSysTray1", {false, GetUi().TrayIconPicture(), ""}),
      trayProgress(program.platform.ui, cSysTray1),
      considerate(program.platform.presence, program.platform.loop),
      steering(program.main.Settings(), program.platform.clock, program.platform.loop),
      calendar(program.platform, [this] { trayTip.Update(); }),
      sound(program.platform.player),
      breaks(program.platform, program.main, considerate,
             {.caption = [this](const std::string& text) { Frame1.SetText(text); },
              .windowsUp =
                  [this] {
                    sound.EndLoop(Text2.Text());
                    hotkeys.Refresh();
                  },
              .guidedOver =
                  [this](bool postponed) {
                    hotkeys.Refresh();
                    // Frame1 leaves the break behind at once, not at the next tick.
                    if (!Reminding())
                      Frame1.SetText(Tr("Stopped."));
                    else if (postponed)
                      breaks.ShowState();
                    else
                      Frame1.SetText(NextBreakText(countdown.IntervalSeconds));
                  },
              .failed = [this](const std::string& where, const std::string& what) { OnUnguardedFailure(where, what); },
              .answered =
                  [this](WarningAnswer answer) {
                    RunCommand(answer == WarningAnswer::StartNow  ? CommandKind::Break
                               : answer == WarningAnswer::Postpone ? CommandKind::PostponeBreak
                                                                   : CommandKind::SkipBreak);
                  },
              .choiceChanged = [this] { hotkeys.Refresh(); },
              .leftOut = [this](const std::string& note) { trayTip.TellOnce(note); }}),
      statistics(program.platform, [this] { trayTip.Update(); }),
      trayTip(cSysTray1, trayProgress, program.main.Settings(),
              [this] {
                TipState state;
                state.showsTimeLeft = considerate.GetOptions().tipShowsTimeLeft;
                state.reminding = Reminding();
                if (steering.Holding() != SteerHold::None) state.holdText = steering.TipText();
                state.away = considerate.Away();
                state.held = considerate.Held() != HoldReason::None;
                state.secondsLeft = breaks.Postponed() ? breaks.guided.PostponedSecondsLeft() : countdown.SecondsLeft();
                if (!statistics.Problem().empty()) state.problem = Tr(statistics.Problem());
                if (calendar.NotRead())
                  state.problem += (state.problem.empty() ? "" : ", ") + CalendarNotReadText();
                if (considerate.Held() == HoldReason::Meeting) state.heldText = HoldCaption();
                state.iconShowsProgress = considerate.GetOptions().trayIconShowsProgress;
                state.period = {state.reminding, steering.Holding() == SteerHold::Paused,
                                steering.Holding() == SteerHold::OutsideWorkingHours, state.held,
                                countdown.ElapsedSeconds, countdown.IntervalSeconds};
                state.keysTaken = hotkeys.Refused();
                return state;
              }),
      hotkeys(program.platform.hotkeys, *this,
              {.conditions =
                   [this] {
                     const bool pausable = Reminding() && !this->program.main.SetByPolicy("StartStopState");
                     return KeyConditions{Reminding(), pausable, breaks.ChoiceOpen(), this->program.formOptions != nullptr};
                   },
               .act = [this](KeyAction action) { RunCommand(FromKey(action, steering.Paused())); },
               .refusedChanged = [this] { trayTip.Update(); }}),
      policyControls_{{&PushButton3, "StartStopState"}, {&Text2, "Alarm"},   {&PushButton5, "Alarm"},
                      {&Text1, "Text1"},                {&Check1, "Check1"}, {&Check2, "Check2"},
                      {&Check3, "Check3"},              {&Check4, "Windows Startup"}, {&Check8, "Minimized"}} {
  SetDesignFonts(*this);
  breaks.SetObserver(&statistics);
  considerate.SetMeetingEnd([this] { return calendar.MeetingEnd(); });
  Timer1.SetInterval(0);
  PushButton3.onChange = [this] { PushButton3_Click(); };
  PushButton4.onChange = [this] { PushButton4_Click(); };
  PushButton5.onChange = [this] { PushButton5_Click(); };
  Text1.onChange = [this] { Text1_Change(); };
  Text2.onChange = [this] { Text2_Change(); };
  Check1.onChange = [this] { Check1_Click(); };
  Check2.onChange = [this] { Check2_Click(); };
  Check3.onChange = [this] { Check3_Click(); };
  Check4.onChange = [this] { Check4_Click(); };
  Check8.onChange = [this] { Check8_Click(); };
  // The hand over the push buttons; the frames show the arrow (Form1Pointer.cpp).
  for (Control* button : {&PushButton3, &PushButton4, &PushButton5})
    button->onMouseMove = [this] { SetPointerUnlessBusy(kCustomPointer); };
  Frame1.onMouseMove = [this] { Frame1_MouseMove(); };
  Frame2.onMouseMove = [this] { Frame2_MouseMove(); };
  Frame3.onMouseMove = [this] { Frame3_MouseMove(); };
  Frame4.onMouseMove = [this] { Frame4_MouseMove(); };
  Frame5.onMouseMove = [this] { Frame5_MouseMove(); };
  cSysTray1.MouseUp = [this](int button, std::int32_t id) { cSysTray1_MouseUp(button, id); };
  // TRANSLATORS: an entry of the main window's system menu; it opens a window.
  AddSystemMenuItem(TrNoop("Options..."));
  // TRANSLATORS: an entry of the main window's system menu; it opens a window.
  AddSystemMenuItem(TrNoop("Statistics..."));
}

Form1::~Form1() = default;

}  // namespace rp
