#include "win32/RunningCopy.h"

#include <string>

#include "win32/FormWindow.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kMutexName[] = L"Local\\Kelvadore.PeriodicRespitePrompterUtility";
// A copy started a moment earlier may not have made its window yet.
constexpr int kWindowWaitMs = 5000;
constexpr int kWindowPollMs = 100;

constexpr wchar_t kChannelClass[] = L"RespitePrompterCommands";
// Marks the data as a command of this program ("RPC1"); anything else is refused.
constexpr ULONG_PTR kCommandTag = 0x52504331;
// The longest command ("/pause tomorrow") with room to spare.
constexpr DWORD kLongestCommand = 32;
constexpr UINT kAnswerWaitMs = 5000;
constexpr UINT kRunPending = WM_APP + 1;

// The running copy's window that `find` finds, or nullptr after a while.
template <class Find>
HWND WaitForWindow(Find find) {
  for (int waited = 0; waited <= kWindowWaitMs; waited += kWindowPollMs) {
    if (HWND window = find()) return window;
    Sleep(kWindowPollMs);
  }
  return nullptr;
}

}  // namespace

RunningCopy::RunningCopy() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  // Without the mutex (another user's copy in this session holds the name) this copy runs.
  anotherRuns_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

void RunningCopy::BringBackTheOther() {
  const std::wstring mainClass = FormClassName("Form1");
  HWND window = WaitForWindow([&] { return FindWindowW(mainClass.c_str(), nullptr); });
  if (!window) return;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  // This start came from the user, so it may pass the right to come to the front on.
  AllowSetForegroundWindow(process);
  PostMessageW(window, RegisterWindowMessageW(kAnotherCopyStartedMessage), 0, 0);
}

bool RunningCopy::SendToTheOther(std::string_view command) {
  HWND channel = WaitForWindow([] { return FindWindowExW(HWND_MESSAGE, nullptr, kChannelClass, nullptr); });
  if (!channel) return false;
  std::string text(command);
  COPYDATASTRUCT data{kCommandTag, static_cast<DWORD>(text.size()), text.data()};
  DWORD_PTR taken = FALSE;
  return SendMessageTimeoutW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kAnswerWaitMs, &taken) &&
         taken == TRUE;
}

void RunningCopy::TellSettingsChanged() {
  if (HWND window = FindWindowW(FormClassName("Form1").c_str(), nullptr))
    PostMessageW(window, RegisterWindowMessageW(kSettingsChangedMessage), 0, 0);
}

CommandChannel::CommandChannel(HINSTANCE instance, std::function<void(const Command&)> run)
    : run_(std::move(run)),
      window_(CreateHiddenWindow(instance, kChannelClass, WindowProc, HWND_MESSAGE, 0, 0, this)) {}

bool CommandChannel::Take(const COPYDATASTRUCT& data) {
  if (data.dwData != kCommandTag || data.cbData == 0 || data.cbData > kLongestCommand || !data.lpData) return false;
  const std::string_view text(static_cast<const char*>(data.lpData), data.cbData);
  for (char c : text)
    if (c < ' ' || c > '~') return false;
  const CommandLine line = ParseCommandLine(SplitArguments(text));
  // An export or import is no command for the running copy: it runs in the start that asks.
  if (RunsWithoutWindow(line) || line.command.kind == CommandKind::None) return false;
  pending_.push_back(line.command);
  PostMessageW(window_.get(), kRunPending, 0, 0);
  return true;
}

void CommandChannel::RunPending() {
  while (!pending_.empty()) {
    const Command command = pending_.front();
    pending_.pop_front();
    run_(command);
  }
}

LRESULT CALLBACK CommandChannel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CommandChannel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    if (message == WM_COPYDATA) return self->Take(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    if (message == kRunPending) {
      self->RunPending();
      return 0;
    }
  } catch (...) {
    // Nothing may leave a window procedure.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace rp::win32
