#include "statistics/Statistics.h"

#include <utility>

#include "runtime/AtomicFile.h"
#include "runtime/Translation.h"
#include "statistics/StatisticsFile.h"

namespace rp {
namespace {

constexpr int kSaveIntervalMs = 60000;

}  // namespace

Statistics::Statistics(Platform& platform, bool counting, std::function<void()> problemChanged)
    : record(platform.clock), files_(platform.files), path_(StatisticsPath(platform.files)),
      problemChanged_(std::move(problemChanged)) {
  if (!counting) return;
  minute_ = std::make_unique<Timer>(platform.ui, [this] { Save(); });
  minute_->SetInterval(kSaveIntervalMs);
}

Statistics::~Statistics() = default;

bool Statistics::FileExists(Files& files) {
  const std::string path = StatisticsPath(files);
  return !path.empty() && files.CanReadModificationTime(path);
}

void Statistics::SetProblem(std::string problem) {
  if (problem == problem_) return;
  problem_ = std::move(problem);
  if (problemChanged_) problemChanged_();
}

void Statistics::Load() {
  if (loaded_) return;
  // TRANSLATORS: in the tray icon's tip after a comma: the statistics cannot be kept
  if (path_.empty()) return SetProblem(TrNoop("no folder for statistics"));
  if (!files_.CanReadModificationTime(path_)) {
    loaded_ = true;  // nothing kept yet
    return;
  }
  const auto text = files_.ReadFile(path_);
  // TRANSLATORS: in the tray icon's tip after a comma
  if (!text) return SetProblem(TrNoop("statistics file unreadable"));
  StatisticsText read = ReadStatistics(*text);
  record.Merge(read.days);
  record.KeepNewest(kMaxStatisticsDays);
  unreadable_ = std::move(read.unreadable);
  loaded_ = true;
  SetProblem("");
}

bool Statistics::Save() {
  Load();
  if (!loaded_) return false;
  if (record.Version() == savedVersion_) return true;
  record.KeepNewest(kMaxStatisticsDays);
  if (!WriteFileInOneStep(files_, path_, WriteStatistics(record.Days(), unreadable_))) {
    // TRANSLATORS: in the tray icon's tip after a comma
    SetProblem(TrNoop("statistics not saved"));
    return false;
  }
  savedVersion_ = record.Version();
  SetProblem("");
  return true;
}

bool Statistics::Clear() {
  if (!path_.empty() && !files_.RemoveFile(path_)) return false;
  record.Clear();
  unreadable_.clear();
  loaded_ = true;
  savedVersion_ = record.Version();
  SetProblem("");
  return true;
}

bool Statistics::Export(std::string_view path) {
  return WriteFileInOneStep(files_, path, WriteStatistics(record.Days()));
}

}  // namespace rp
