#pragma once
#include <windows.h>

#include <optional>

#include "ports/Presence.h"
#include "win32/Handles.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// The user's presence on the real system. Nothing is loaded or created until a query or the
// watch is first used, which happens only while an option asks for it. Where a call is missing
// (older Windows, Wine), the answer is the harmless one: not idle, not held.
class Win32Presence : public Presence {
 public:
  explicit Win32Presence(HINSTANCE instance) : instance_(instance) {}
  ~Win32Presence() override;

  std::int64_t IdleMs() override;
  bool DisplayRequired() override;
  NotificationState UserNotificationState() override;
  std::vector<std::string> CameraOrMicrophoneUsers() override;
  bool ProgramRunning(std::string_view program) override;
  bool SessionLocked() override;
  void WatchSession(SessionListener* listener) override;

 private:
  using CallNtPowerInformationFn = LONG(WINAPI*)(int, void*, ULONG, void*, ULONG);
  using QueryNotificationStateFn = HRESULT(WINAPI*)(int*);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  SessionListener* listener_ = nullptr;
  UniqueWindow window_;  // hears the session and power broadcasts
  bool registered_ = false;
  SystemLibrary wtsapi32_{L"wtsapi32.dll"};
  // Asked every second while the user seems away: the library and the function are looked up once.
  SystemLibrary powrprof_{L"powrprof.dll"};
  std::optional<CallNtPowerInformationFn> callNtPowerInformation_;
  // shell32 is loaded already (the tray icon); the call itself is from Windows Vista on.
  std::optional<QueryNotificationStateFn> queryNotificationState_;
};

}  // namespace rp::win32
