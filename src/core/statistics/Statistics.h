#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ports/Platform.h"
#include "runtime/Timer.h"
#include "statistics/BreakRecord.h"

namespace rp {

// The record of breaks kept on disk (the "Keep Statistics" option). While it counts, what
// changed is written at most once a minute and when the program ends; a file that cannot be
// written is said once (Problem()) and tried again a minute later, and counting goes on. A file
// that exists but cannot be read is never written over.
class Statistics {
 public:
  // `counting`: the record is kept and saved; otherwise the file is only shown, and written
  // only when the user clears it. `problemChanged` is told when Problem() changes.
  Statistics(Platform& platform, bool counting, std::function<void()> problemChanged = nullptr);
  ~Statistics();
  Statistics(const Statistics&) = delete;
  Statistics& operator=(const Statistics&) = delete;

  BreakRecord record;

  // Reads the file; what was counted before is added to what it holds.
  void Load();
  // Writes the record if anything changed since the last write; false when it could not.
  bool Save();
  // Forgets every day and deletes the file; false when the file stays.
  bool Clear();
  // The days as CSV (no unreadable line) into a file of the user's choice.
  bool Export(std::string_view path);
  // True when there is a file to show (the option may be off).
  static bool FileExists(Files& files);

  // True when the record is being kept (the option is on), not only shown.
  bool Counting() const { return minute_ != nullptr; }
  // Lines of the file that are not days, kept as they are.
  const std::vector<std::string>& UnreadableLines() const { return unreadable_; }
  const std::string& Path() const { return path_; }
  // Why the record is not on disk, in a few words ("" when it is), in English: shown through Tr.
  const std::string& Problem() const { return problem_; }

 private:
  void SetProblem(std::string problem);

  Files& files_;
  std::string path_;
  std::vector<std::string> unreadable_;
  bool loaded_ = false;  // the file was read (or there was none): writing it loses nothing
  std::uint64_t savedVersion_ = 0;
  std::string problem_;
  std::function<void()> problemChanged_;
  std::unique_ptr<Timer> minute_;
};

}  // namespace rp
