#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/Form.h"
#include "runtime/Timer.h"
#include "runtime/Translation.h"
#include "presence/Considerate.h"
#include "countdown/Countdown.h"
#include "countdown/Steering.h"
#include "breaks/BreakRun.h"
#include "calendar/CalendarWatch.h"
#include "reminders/BreakSound.h"
#include "statistics/StatisticsKeeper.h"
#include "tray/TrayTip.h"
#include "hotkeys/GlobalKeys.h"
#include "tray/cSysTray.h"
#include "tray/TrayProgress.h"

namespace rp {

class Guard;
class Program;
struct Command;

// The main button's two captions, shown through Tr; the button's text tells whether reminding is on.
// TRANSLATORS: the main button's caption, also an entry of the tray icon's menu.
inline constexpr std::string_view kStartReminding = TrNoop("Start Reminding");
// TRANSLATORS: the main button's caption, also an entry of the tray icon's menu.
inline constexpr std::string_view kStopReminding = TrNoop("Stop Reminding");
// TRANSLATORS: the progress bar's accessible name, read by screen readers.
inline constexpr std::string_view kProgressBarText = TrNoop("Progress Bar");
inline constexpr std::string_view kNextBreakPrefix = "Next break will occur in ";
// The minutes box's default period.
inline constexpr std::int16_t kDefaultMinutes = 45;

// The main window: the countdown, the reminder choices and the start-up options.
class Form1 : public Form {
 public:
  explicit Form1(Program& program);
  ~Form1() override;

  Program& program;

  // Controls, in the window's control order.
  Control& PushButton3;
  Control& Frame1;
  Control& ProgressBar1;
  Control& Frame2;
  Control& Text2;
  Control& PushButton5;
  Control& PushButton4;
  Control& Frame5;
  Control& Text1;
  Control& Frame4;
  Control& Check1;
  Control& Check2;
  Control& Check3;
  Control& Frame3;
  Control& Check4;
  Control& Check8;

  Timer Timer1;
  cSysTray cSysTray1;
  TrayProgress trayProgress;  // the period on the tray icon (Options)

  // The period and the seconds counted in it.
  Countdown countdown;
  // True while start-up restores the controls from the settings.
  bool IsLoading = false;
  // Time away as a break, held breaks; the choices of the Options window.
  ConsiderateBreaks considerate;
  // The pause and the working hours.
  Steering steering;
  // The user's calendar: a break waits for a meeting's end, or comes before it.
  CalendarWatch calendar;
  // The audio reminder's looping sound.
  BreakSound sound;
  // The break's course after the reminders (the guided break), and the short eye breaks.
  BreakRun breaks;
  // The record of breaks: it hears the countdown and the breaks.
  StatisticsKeeper statistics;
  TrayTip trayTip;
  // The keys that work from anywhere.
  GlobalKeys hotkeys;

  // Event handlers.
  void Timer1_Timer();
  void PushButton3_Click();
  void PushButton4_Click();
  void PushButton5_Click();
  void Text1_Change();
  void Text2_Change();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();
  void Check8_Click();
  void cSysTray1_MouseUp(int Button, std::int32_t Id);
  void Frame1_MouseMove();
  void Frame2_MouseMove();
  void Frame3_MouseMove();
  void Frame4_MouseMove();
  void Frame5_MouseMove();
  // What the command line and the tray icon's menu ask for. Pausing and a break on demand do
  // nothing while reminding is off; starting, stopping and pausing nothing while a policy says
  // whether reminding is on.
  void RunCommand(const Command& command);

  void Form_Load() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void Form_MouseMove() override;
  void Form_ShellRestarted() override;
  void Form_AnotherCopyStarted() override;
  // "Options..." and "Statistics..." of the system menu.
  void Form_SystemMenu(std::size_t index) override;
  // "Statistics..." is greyed while the option is off and there is no record to show.
  bool SystemMenuItemEnabled(std::size_t index) override;
  // Every control from the settings in force now: after a policy changed or an import.
  void Form_SettingsChanged() override;
  void Form_ColourSetChanged() override;
  void Form_LanguageChanged() override;
  bool Form_CloseButton() override;

 protected:
  void OnUnguardedFailure(const std::string& handler, const std::string& description) override;

 private:
  // The break itself: the reminders, then the guided break and the next period. A postponed
  // break comes back without its reminders.
  void RunBreak(Guard& g);
  // The period ends after a break: the count starts afresh, unless the break was postponed, and
  // reminding goes on.
  void EndBreak(Guard& g, bool postponed);
  // Frame1 and the tray tip say why the count stands still: a pause or the hours outside work
  // (the count starts from zero), time away, or a held break.
  void ShowHold();
  // Frame1's words for the held break: the meeting's end, or what holds it.
  std::string HoldCaption();
  // A guided break's seconds, or 0 without one: how long a break brought before a meeting is.
  std::int64_t GuidedBreakSeconds() const;
  // Takes the Options window's choices into use.
  void ApplyOptions(const Options& options);
  bool Reminding() const { return PushButton3.Text() != Tr(kStartReminding); }

  // The controls whose setting a policy may set, with that setting.
  const std::pair<Control*, std::string_view> policyControls_[9];
  // True from the start of a tick to its end, break included: a tick arriving meanwhile is dropped.
  bool tickRunning_ = false;
};

}  // namespace rp
