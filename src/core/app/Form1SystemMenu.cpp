#include <exception>

#include "app/Form1.h"
#include "app/Program.h"
#include "runtime/Translation.h"
#include "statistics/FormStatistics.h"

// The system menu's windows, Options and Statistics, and the choices taken into use.
namespace rp {
namespace {

constexpr std::size_t kOptionsMenuItem = 0;
constexpr std::size_t kStatisticsMenuItem = 1;

}  // namespace

void Form1::Form_SystemMenu(std::size_t index) {
  if (index != kOptionsMenuItem && index != kStatisticsMenuItem) return;
  const bool statisticsItem = index == kStatisticsMenuItem;
  try {
    if (statisticsItem) return program.ShowStatistics(statistics);
    const std::optional<Options> chosen =
        program.ChooseOptions(considerate.GetOptions(), [this] { Form_SettingsChanged(); });
    if (!chosen) return;
    const bool languageChanged = chosen->language != considerate.GetOptions().language;
    ApplyOptions(*chosen);
    if (languageChanged) program.ApplyLanguage();
  } catch (const std::exception& e) {
    OnUnguardedFailure(statisticsItem ? "mnuStatistics_Click" : "mnuOptions_Click", e.what());
  }
}

bool Form1::SystemMenuItemEnabled(std::size_t index) {
  if (index != kStatisticsMenuItem) return true;
  return statistics.Showable();
}

void Form1::ApplyOptions(const Options& options) {
  considerate.SetOptions(options);
  steering.SetWorkingHours(options.working);
  breaks.SetOptions(options);
  const bool wasKept = statistics.Kept() != nullptr;
  statistics.Keep(options.keepStatistics);
  // The open Statistics window shows what there is now (an import, a policy changed the option).
  if (wasKept != options.keepStatistics && program.formStatistics) program.formStatistics->RecordChanged();
  hotkeys.SetKeys(options.hotkeys);
  calendar.SetLocation(options.calendar);
  trayTip.Update();
  program.theme.Choose(options.theme);
}

void Form1::Form_ColourSetChanged() { program.theme.ColourSetChanged(); }

}  // namespace rp
