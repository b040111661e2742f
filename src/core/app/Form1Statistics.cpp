#include <exception>

#include "app/Form1.h"
#include "app/Program.h"
#include "statistics/FormStatistics.h"
#include "statistics/Statistics.h"

// "Statistics..." of the system menu.
namespace rp {
namespace {

constexpr std::size_t kStatisticsMenuItem = 1;

}  // namespace

bool Form1::SystemMenuItemEnabled(std::size_t index) {
  if (index != kStatisticsMenuItem) return true;
  return statistics.Showable();
}

void Form1::mnuStatistics_Click() {
  if (program.formStatistics) return;  // still closing: see mnuOptions_Click
  try {
    program.formStatistics = std::make_unique<FormStatistics>(program.platform, program.main, statistics);
    program.formStatistics->ShowModal(*this, program.platform.loop);
    program.formStatistics.reset();
  } catch (const std::exception& e) {
    program.formStatistics.reset();
    OnUnguardedFailure("mnuStatistics_Click", e.what());
  }
}

}  // namespace rp
