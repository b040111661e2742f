#pragma once
#include <windows.h>

#include "win32/Handles.h"

namespace rp::win32 {

// One running copy per user session: a mutex in the session's own namespace, held for the
// life of the process. A second start finds it taken and hands over to the running copy.
class RunningCopy {
 public:
  RunningCopy();
  RunningCopy(const RunningCopy&) = delete;
  RunningCopy& operator=(const RunningCopy&) = delete;

  // True when another copy already runs in this session.
  bool AnotherRuns() const { return anotherRuns_; }
  // Asks the running copy to show its main window, restored and in front.
  static void BringBackTheOther();
  // Asks a running copy, if any, to read its settings again.
  static void TellSettingsChanged();

 private:
  UniqueObject mutex_;
  bool anotherRuns_ = false;
};

}  // namespace rp::win32
