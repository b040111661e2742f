#include "win32/RunningCopy.h"

#include "win32/FormWindow.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kMutexName[] = L"Local\\Kelvadore.PeriodicRespitePrompterUtility";
// A copy started a moment earlier may not have made its window yet.
constexpr int kWindowWaitMs = 5000;
constexpr int kWindowPollMs = 100;

}  // namespace

RunningCopy::RunningCopy() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  // Without the mutex (another user's copy in this session holds the name) this copy runs.
  anotherRuns_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

void RunningCopy::BringBackTheOther() {
  const std::wstring mainClass = FormClassName("Form1");
  for (int waited = 0; waited <= kWindowWaitMs; waited += kWindowPollMs) {
    if (HWND window = FindWindowW(mainClass.c_str(), nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      // This start came from the user, so it may pass the right to come to the front on.
      AllowSetForegroundWindow(process);
      PostMessageW(window, AnotherCopyStartedMessage(), 0, 0);
      return;
    }
    Sleep(kWindowPollMs);
  }
}

void RunningCopy::TellSettingsChanged() {
  if (HWND window = FindWindowW(FormClassName("Form1").c_str(), nullptr))
    PostMessageW(window, SettingsChangedMessage(), 0, 0);
}

}  // namespace rp::win32
