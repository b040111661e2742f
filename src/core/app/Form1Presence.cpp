#include <exception>

#include "app/Form1.h"
#include "options/FormOptions.h"
#include "statistics/FormStatistics.h"
#include "app/Program.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

// The tip's parts in their order, each after a dash.
std::string JoinedNotes(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return first + second;
  return first + " - " + second;
}

}  // namespace

void Form1::Form_SystemMenu(std::size_t index) {
  if (index == 0) mnuOptions_Click();
  if (index == 1) mnuStatistics_Click();
}

void Form1::mnuOptions_Click() {
  // A request that arrives while the window is still closing (its events run before the modal
  // wait ends) would replace the window under that wait.
  if (program.formOptions) return;
  try {
    program.formOptions = std::make_unique<FormOptions>(program.platform, program.main, considerate.GetOptions(),
                                                        [this] { ReloadSettings(); });
    program.formOptions->ShowModal(*this, program.platform.loop);
    const std::optional<Options> chosen = program.formOptions->Chosen();
    program.formOptions.reset();
    if (!chosen) return;
    const bool languageChanged = chosen->language != considerate.GetOptions().language;
    chosen->StoreChanges(program.main, considerate.GetOptions());
    ApplyOptions(*chosen);
    if (languageChanged) program.ApplyLanguage();
  } catch (const std::exception& e) {
    program.formOptions.reset();  // or the menu would find it still open from now on
    OnUnguardedFailure("mnuOptions_Click", e.what());
  }
}

void Form1::ApplyOptions(const Options& options) {
  const bool tipWasOn = considerate.GetOptions().tipShowsTimeLeft;
  considerate.SetOptions(options);
  steering.SetWorkingHours(options.working);
  guidedBreak.SetLength(options.breakMinutes);
  guidedBreak.SetSkipsADay(options.skipsADay);
  eyeBreaks.SetOn(options.eyeBreaks);
  const bool wasKept = statistics.Kept() != nullptr;
  statistics.Keep(options.keepStatistics);
  // The open Statistics window shows what there is now (an import, a policy changed the option).
  if (wasKept != options.keepStatistics && program.formStatistics) program.formStatistics->RecordChanged();
  if (tipWasOn && !options.tipShowsTimeLeft) {
    cSysTray1.SetTrayTip(std::string(kProductName));
    tipNote_.clear();
  }
  UpdateTrayTip();
}

void Form1::ShowPresence() {
  if (considerate.Away())
    Frame1.SetText(Tr(kAwayCaption));
  else if (considerate.Held() != HoldReason::None)
    Frame1.SetText(Tr(HeldCaption(considerate.Held())));
  UpdateTrayTip();
}

void Form1::UpdateTrayTip() {
  trayProgress.Show(considerate.GetOptions().trayIconShowsProgress,
                    {Reminding(), steering.Holding() == SteerHold::Paused,
                     steering.Holding() == SteerHold::OutsideWorkingHours, considerate.Held() != HoldReason::None,
                     countdown.ElapsedSeconds, countdown.IntervalSeconds});
  const bool held = considerate.Held() != HoldReason::None;
  const std::string problem = statistics.Problem().empty() ? std::string() : Tr(statistics.Problem());
  if (!considerate.GetOptions().tipShowsTimeLeft) {
    // A held break, or a record that cannot be saved, is told in the tip whatever the option:
    // the user would not know otherwise; so are policy values that had to be ignored. The tip
    // changes only when that note does.
    // TRANSLATORS: in the tray icon's tip after the program's name and a dash
    const std::string note = JoinedNotes(policyNote_, held ? Tr("break held") : problem);
    if (note == tipNote_) return;
    tipNote_ = note;
    cSysTray1.SetTrayTip(std::string(kProductName) + (note.empty() ? "" : " - " + note));
    return;
  }
  std::string state;
  if (!Reminding()) {
    // TRANSLATORS: in the tray icon's tip after the program's name and a dash: reminding is off
    state = Tr("stopped");
  } else if (steering.Holding() != SteerHold::None) {
    state = steering.TipText();
  } else if (considerate.Away()) {
    // TRANSLATORS: in the tray icon's tip: the user is away from the computer
    state = Tr("away");
  } else if (held) {
    state = Tr("break held");
  } else {
    // Whole minutes, rounded up: the text changes once a minute, and so the shell is told.
    const std::int64_t left = guidedBreak.State() == GuidedState::Postponed
                                  ? guidedBreak.PostponedSecondsLeft()
                                  : static_cast<std::int64_t>(countdown.IntervalSeconds) - countdown.ElapsedSeconds;
    // TRANSLATORS: in the tray icon's tip; {minutes} is a number of minutes, "min" their abbreviation
    state = Fill(Tr("next break in {minutes} min"), {{"minutes", std::to_string(left > 0 ? (left + 59) / 60 : 0)}});
  }
  tipNote_ = problem;
  const std::string tip = std::string(kProductName) + " - " + JoinedNotes(policyNote_, state) +
                          (problem.empty() ? "" : ", " + problem);
  if (tip != cSysTray1.TrayTip()) cSysTray1.SetTrayTip(tip);
}

}  // namespace rp
