#pragma once
#include <cstdint>
#include <string>

#include "runtime/Form.h"
#include "runtime/Timer.h"
#include "runtime/Translation.h"
#include "presence/Considerate.h"
#include "countdown/Countdown.h"
#include "countdown/Steering.h"
#include "breaks/EyeBreaks.h"
#include "breaks/GuidedBreak.h"
#include "statistics/StatisticsKeeper.h"
#include "tray/cSysTray.h"
#include "tray/TrayProgress.h"

namespace rp {

class Guard;
class Program;
struct Command;
enum class TrayCommand;

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
  // The break window has closed.
  void Form2_Closed();
  // The pause and the working hours.
  Steering steering;
  // The break of a set length with its windows, and the short eye breaks (Options).
  GuidedBreak guidedBreak;
  EyeBreakRhythm eyeBreaks;

  // The record of breaks: it hears the countdown and the breaks.
  StatisticsKeeper statistics;
  // Someone else to hear the guided and eye breaks instead of the record.
  void SetBreakObserver(BreakObserver* observer);

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
  void PushButton3_MouseMove();
  void PushButton4_MouseMove();
  void PushButton5_MouseMove();
  void Frame1_MouseMove();
  void Frame2_MouseMove();
  void Frame3_MouseMove();
  void Frame4_MouseMove();
  void Frame5_MouseMove();
  // "Options..." and "Statistics..." of the system menu.
  void mnuOptions_Click();
  void mnuStatistics_Click();
  // The tray icon's menu, and what its entries and the command line ask for. Pausing and a
  // break on demand do nothing while reminding is off.
  void ShowTrayMenu();
  void RunTrayCommand(TrayCommand command);
  void RunCommand(const Command& command);
  void PauseUntil(const LocalDateTime& until);
  void PauseFor(int minutes);
  void PauseUntilTomorrow();
  void ResumeReminders();
  // Fires the break as a period running out does, then starts a fresh period.
  void TakeBreakNow();
  // Starts or stops reminding as the main button does, unless a policy says which it is.
  void SetReminding(bool on);
  // True while an administrator's policy says whether reminding is on: starting, stopping and
  // pausing are not the user's then.
  bool StartStopSetByPolicy();
  // Every control from the settings in force now: after a policy changed or an import.
  void ReloadSettings();
  // False when an administrator's policy ("Allow Exit" = "Off") keeps the user from ending the
  // program: every way to end it the user has (the close button, a menu's Exit) asks this.
  bool ExitAllowed();

  void Form_Load() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& cancel, int reason) override;
  void Form_MouseMove() override;
  void Form_ShellRestarted() override;
  void Form_AnotherCopyStarted() override;
  void Form_SystemMenu(std::size_t index) override;
  // "Statistics..." is greyed while the option is off and there is no record to show.
  bool SystemMenuItemEnabled(std::size_t index) override;
  void Form_SettingsChanged() override;
  void Form_LanguageChanged() override;
  bool Form_CloseButton() override;

 protected:
  void OnUnguardedFailure(const std::string& handler, const std::string& description) override;

 private:
  // Sets IntervalSeconds from the minutes in Text1; a text that is not a number becomes "1".
  void ReadInterval();
  // Shows the window again, in front, after the tray or a second start.
  void BringBack();
  // Shows the pointer shape unless the window is busy.
  void SetPointerUnlessBusy(int pointer);
  // Silences the break sound if it is still looping; a single test play is left alone.
  void StopBreakSound();
  // The break itself: the reminders, then the next period.
  void RunBreak(Guard& g);
  // The break's end: the count starts afresh and reminding goes on. Runs once per break.
  void EndBreak(Guard& g);
  // The guided break after the reminders: its windows until it ends; true when postponed.
  bool GuideBreak();
  // A postponed break is back: its windows again, then the next period.
  void ResumePostponedBreak(Guard& g);
  // A second of the postponement: Frame1 shows what is left, and the break comes back at 0.
  void PostponedTick(Guard& g);
  // The period ends after a break: the count starts afresh, unless the break was postponed.
  void FinishBreak(Guard& g, bool postponed);
  // Frame1 and the break windows show the time left of the running break.
  void ShowBreakTimeLeft();
  // Frame1 shows the time until a postponed break comes back.
  void ShowPostponedTimeLeft();
  // A counted second for the eye breaks, the next break `secondsToBreak` away.
  void CountEyeTime(std::int32_t secondsToBreak);
  // Closes an eye break window that is up (a break or a stop interrupts it).
  void CloseEyeBreak();
  // The break sound stops looping once the break window is up: it plays once more to its end.
  void EndBreakSoundLoop();
  // Takes the Options window's choices into use.
  void ApplyOptions(const Options& options);
  // Frame1 and the tray tip say that the user is away or why the break is held.
  void ShowPresence();
  // The tray tip tells the time to the next break, when the user asked for it, and says when
  // the statistics cannot be saved.
  void UpdateTrayTip();
  bool Reminding() const { return PushButton3.Text() != Tr(kStartReminding); }
  // Takes up the pause stored by the last run, if it still holds.
  void RestorePause();
  // The countdown stands still, paused or outside working hours, and Frame1 says so.
  void HoldCountdown();
  // A hold of the user's has ended (a pause, the hours outside work): the period starts from
  // zero, and a postponed break and the eye breaks' count are left behind with the old one.
  void StartFreshPeriod();
  // Controls whose setting a policy sets take no input and say why; a policy value the
  // program cannot use is told in the tray tip.
  void ShowPolicies();
  // A start-up choice a policy makes is kept in the Run key too.
  void KeepStartupEntryAsPolicySays();

  // True from the start of a tick to its end, break included: a tick arriving meanwhile is dropped.
  bool tickRunning_ = false;
  // True from a break's looping sound until the player is closed or given the test play.
  bool breakSoundLooping_ = false;
  // The policy values ignored, as the tray tip tells them; "" when none.
  std::string policyNote_;
  // True from a break's start until EndBreak ran for it.
  bool breakUnderWay_ = false;
  // What the tray tip tells besides the product's name with the tip option off (a held break,
  // a record that cannot be saved), or with it on the record's problem; "" when nothing.
  std::string tipNote_;
};

}  // namespace rp
