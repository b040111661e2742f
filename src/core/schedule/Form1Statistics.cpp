#include <exception>

#include "app/Form1.h"
#include "app/Program.h"
#include "schedule/FormStatistics.h"
#include "schedule/Statistics.h"

// The main window's part in the record of breaks: what the countdown tells it, the option that
// keeps it, and "Statistics..." of the system menu.
namespace rp {
namespace {

constexpr std::size_t kStatisticsMenuItem = 1;

}  // namespace

BreakRecord* Form1::Record() { return program.statistics ? &program.statistics->record : nullptr; }

void Form1::CountStatistics(TickPlan plan) {
  BreakRecord* record = Record();
  if (!record) return;
  // A spell away is one natural break: counted at its first tick, or, when no tick saw it (a
  // lock or a sleep that ended between two), at the tick that starts the period over.
  const bool away = considerate.Away();
  if ((away || plan == TickPlan::StartOver) && !awayRecorded_) record->Natural();
  // A spell lasts to the end of its lock or sleep, which may have counted as a guided break.
  awayRecorded_ = away || (awayRecorded_ && considerate.Absent());
  if (!away) record->ScreenSecond(considerate.Held() != HoldReason::None);
}

void Form1::ApplyStatisticsOption(bool on) {
  if (on == (program.statistics != nullptr)) return;
  if (on) {
    program.statistics = std::make_unique<Statistics>(program.platform, true, [this] { UpdateTrayTip(); });
    program.statistics->Load();
    SetBreakObserver(Record());  // the guided and eye breaks count too
  } else {
    SetBreakObserver(nullptr);
    program.statistics->Save();
    program.statistics.reset();
  }
  if (program.formStatistics) program.formStatistics->RecordChanged();
}

bool Form1::SystemMenuItemEnabled(std::size_t index) {
  if (index != kStatisticsMenuItem) return true;
  return program.statistics || Statistics::FileExists(program.platform.files);
}

void Form1::mnuStatistics_Click() {
  if (program.formStatistics) return;  // still closing: see mnuOptions_Click
  try {
    program.formStatistics = std::make_unique<FormStatistics>(program);
    program.formStatistics->ShowModal(*this, program.platform.loop);
    program.formStatistics.reset();
  } catch (const std::exception& e) {
    program.formStatistics.reset();
    OnUnguardedFailure("mnuStatistics_Click", e.what());
  }
}

}  // namespace rp
