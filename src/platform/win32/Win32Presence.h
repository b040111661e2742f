#pragma once
#include <windows.h>

#include "platform/Presence.h"
#include "platform/win32/Handles.h"

namespace rp::win32 {

inline void CloseLibrary(HMODULE module) { FreeLibrary(module); }
using UniqueLibrary = UniqueHandle<NullEmpty<HMODULE, CloseLibrary>>;

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
  bool CameraOrMicrophoneInUse() override;
  void WatchSession(SessionListener* listener) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // A function of a system library loaded on first use; nullptr when it is missing.
  FARPROC Lookup(UniqueLibrary& module, const wchar_t* library, const char* name);

  HINSTANCE instance_;
  SessionListener* listener_ = nullptr;
  UniqueWindow window_;  // hears the session and power broadcasts
  bool registered_ = false;
  UniqueLibrary powrprof_, wtsapi32_;
};

}  // namespace rp::win32
