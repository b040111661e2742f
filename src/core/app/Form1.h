#pragma once
#include <cstdint>
#include <string>

#include "runtime/Form.h"
#include "runtime/Timer.h"
#include "schedule/Considerate.h"
#include "tray/cSysTray.h"

namespace rp {

class Guard;
class Program;

inline constexpr std::string_view kStartReminding = "Start Reminding";
inline constexpr std::string_view kStopReminding = "Stop Reminding";
inline constexpr std::string_view kProgressBarText = "Progress Bar";
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

  // Countdown state: seconds in one period and ticks counted in the current one.
  std::int32_t IntervalSeconds = 0;
  std::int32_t ElapsedSeconds = 0;
  // True while start-up restores the controls from the settings.
  bool IsLoading = false;
  // Time away as a break, held breaks; the choices of the Options window.
  ConsiderateBreaks considerate;
  // The break window has closed.
  void Form2_Closed();

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
  // "Options..." of the system menu.
  void mnuOptions_Click();
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
  void Form_SettingsChanged() override;
  bool Form_CloseButton() override;

 protected:
  void OnUnguardedFailure(const std::string& handler, const std::string& description) override;

 private:
  // Sets IntervalSeconds from the minutes in Text1; a text that is not a number becomes "1".
  void ReadInterval();
  void SetInterval(std::int32_t seconds);
  // IntervalSeconds from the number in Text1; throws when it does not fit 16 bits.
  void SetIntervalFromMinutes();
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
  // Takes the Options window's choices into use.
  void ApplyOptions(const Options& options);
  // Frame1 and the tray tip say that the user is away or why the break is held.
  void ShowPresence();
  // The tray tip tells the time to the next break, when the user asked for it.
  void UpdateTrayTip();
  // The product name, and a policy value that had to be ignored: the start of every tray tip.
  std::string TipTitle() const;
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
  // True once IntervalSeconds holds a period that start-up, a start or the minutes box set.
  bool intervalSet_ = false;
};

}  // namespace rp
