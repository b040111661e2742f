#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string_view>

#include "app/CommandLine.h"
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
  // Hands a command ("/pause 30") to the running copy's CommandChannel; false when none
  // took it in time.
  static bool SendToTheOther(std::string_view command);
  // Asks a running copy, if any, to read its settings again.
  static void TellSettingsChanged();

 private:
  UniqueObject mutex_;
  bool anotherRuns_ = false;
};

// The running copy's end of the channel by which a second start hands over its command: a
// message-only window that takes WM_COPYDATA, checks its size and text, answers at once and
// runs the command afterwards, so that the sender never waits on a break.
class CommandChannel {
 public:
  CommandChannel(HINSTANCE instance, std::function<void(const Command&)> run);
  CommandChannel(const CommandChannel&) = delete;
  CommandChannel& operator=(const CommandChannel&) = delete;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // True when the data is a command this program accepts; it is then queued.
  bool Take(const COPYDATASTRUCT& data);
  void RunPending();

  std::function<void(const Command&)> run_;
  std::deque<Command> pending_;
  UniqueWindow window_;
};

}  // namespace rp::win32
