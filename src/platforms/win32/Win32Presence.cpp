#include "win32/Win32Presence.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdint>
#include <string>

#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kPresenceClass[] = L"RespitePrompterPresence";
constexpr wchar_t kConsentStore[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\";
constexpr int kSystemExecutionState = 16;  // POWER_INFORMATION_LEVEL
constexpr DWORD kNotifyForThisSession = 0;

using RegisterSessionFn = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterSessionFn = BOOL(WINAPI*)(HWND);
using PackageFamilyNameFn = LONG(WINAPI*)(HANDLE, UINT32*, PWSTR);

std::uint64_t ReadQword(HKEY key, const wchar_t* name) {
  std::uint64_t value = 0;
  DWORD size = sizeof value, type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_QWORD)
    return 0;
  return value;
}

// The programs that started using the device and have not stopped yet: the system writes the
// stop time only when the use ends. Packaged programs sit right under the device's key, named by
// their package family; others one level down under "NonPackaged", named by their path with '#'
// for '\'.
void AddUsers(HKEY parent, bool nonPackaged, std::vector<std::string>& users) {
  wchar_t name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = 512;
    if (RegEnumKeyExW(parent, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(parent, name, 0, KEY_READ, &raw) != ERROR_SUCCESS) continue;
    UniqueKey program(raw);
    if (!nonPackaged && std::wstring_view(name) == L"NonPackaged") {
      AddUsers(program.get(), true, users);
      continue;
    }
    if (ReadQword(program.get(), L"LastUsedTimeStart") <= ReadQword(program.get(), L"LastUsedTimeStop")) continue;
    std::wstring user(name);
    if (nonPackaged)
      for (wchar_t& c : user)
        if (c == L'#') c = L'\\';
    users.push_back(Narrow(user));
  }
}

// The full image path of a process, or with familyName its package family name (Windows 8 on),
// as the records name it.
std::wstring ProcessName(HANDLE process, PackageFamilyNameFn familyName) {
  wchar_t name[MAX_PATH];
  if (familyName) {
    UINT32 length = MAX_PATH;
    return familyName(process, &length, name) == ERROR_SUCCESS ? name : L"";
  }
  DWORD length = MAX_PATH;
  return QueryFullProcessImageNameW(process, 0, name, &length) ? name : L"";
}

// The session was locked or unlocked, or something else happened to it.
LRESULT OnSessionChange(SessionListener& listener, HWND window, WPARAM change, LPARAM lParam) {
  if (change != WTS_SESSION_LOCK && change != WTS_SESSION_UNLOCK)
    return DefWindowProcW(window, WM_WTSSESSION_CHANGE, change, lParam);
  listener.SessionLocked(change == WTS_SESSION_LOCK);
  return 0;
}

LRESULT OnPowerBroadcast(SessionListener& listener, WPARAM event) {
  if (event == PBT_APMSUSPEND) listener.MachineAsleep(true);
  if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) listener.MachineAsleep(false);
  return TRUE;
}

}  // namespace

Win32Presence::~Win32Presence() { WatchSession(nullptr); }

std::int64_t Win32Presence::IdleMs() {
  LASTINPUTINFO last{sizeof last, 0};
  if (!GetLastInputInfo(&last)) return 0;
  return static_cast<DWORD>(GetTickCount() - last.dwTime);  // modulo 2^32, across the wrap
}

bool Win32Presence::DisplayRequired() {
  if (!callNtPowerInformation_)
    callNtPowerInformation_ = powrprof_.Find<CallNtPowerInformationFn>("CallNtPowerInformation");
  const auto call = *callNtPowerInformation_;
  ULONG state = 0;
  // Unknown counts as kept on: idleness alone then never makes the user away.
  if (!call || call(kSystemExecutionState, nullptr, 0, &state, sizeof state) != 0) return true;
  return (state & ES_DISPLAY_REQUIRED) != 0;
}

NotificationState Win32Presence::UserNotificationState() {
  if (!queryNotificationState_)
    queryNotificationState_ = LibraryFunction<QueryNotificationStateFn>(L"shell32.dll", "SHQueryUserNotificationState");
  const auto query = *queryNotificationState_;
  int state = 0;
  if (!query || FAILED(query(&state))) return NotificationState::AcceptsNotifications;
  switch (state) {
    case 2:  // QUNS_BUSY: a full-screen program, or presentation settings
    case 3:  // QUNS_RUNNING_D3D_FULL_SCREEN
    case 7:  // QUNS_APP: a full-screen app
      return NotificationState::FullScreen;
    case 4:  // QUNS_PRESENTATION_MODE
      return NotificationState::Presentation;
    case 6:  // QUNS_QUIET_TIME
      return NotificationState::QuietHours;
    default:
      return NotificationState::AcceptsNotifications;
  }
}

std::vector<std::string> Win32Presence::CameraOrMicrophoneUsers() {
  std::vector<std::string> users;
  for (const wchar_t* device : {L"webcam", L"microphone"}) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kConsentStore) + device).c_str(), 0, KEY_READ, &raw) !=
        ERROR_SUCCESS)
      continue;
    UniqueKey key(raw);
    AddUsers(key.get(), false, users);
  }
  return users;
}

bool Win32Presence::ProgramRunning(std::string_view program) {
  const std::wstring wanted = Widen(program);
  PackageFamilyNameFn familyName = nullptr;
  if (wanted.find(L'\\') == std::wstring::npos) {
    familyName = LibraryFunction<PackageFamilyNameFn>(L"kernel32.dll", "GetPackageFamilyName");
    if (!familyName) return false;  // no packaged programs before Windows 8
  }
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return true;  // cannot tell: the record stands
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    UniqueObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (process && CompareStringOrdinal(ProcessName(process.get(), familyName).c_str(), -1, wanted.c_str(), -1,
                                        TRUE) == CSTR_EQUAL)
      return true;
  }
  return false;
}

bool Win32Presence::SessionLocked() {
  // The lock screen's desktop does not let a program of the session open it.
  HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_SWITCHDESKTOP);
  if (!desktop) return true;
  CloseDesktop(desktop);
  return false;
}

void Win32Presence::WatchSession(SessionListener* listener) {
  listener_ = listener;
  if (window_ && !IsWindow(window_.get())) {
    // Destroyed by a stray message: make it again, and register it again.
    (void)window_.release();
    registered_ = false;
  }
  if (listener_ && !window_) {
    // A hidden top-level window: power broadcasts do not reach message-only windows.
    window_ = CreateHiddenWindow(instance_, kPresenceClass, WindowProc, nullptr, WS_EX_TOOLWINDOW, WS_POPUP, this);
  }
  if (listener_ && window_ && !registered_) {
    auto registerSession = wtsapi32_.Find<RegisterSessionFn>("WTSRegisterSessionNotification");
    registered_ = registerSession && registerSession(window_.get(), kNotifyForThisSession);
  } else if (!listener_ && registered_) {
    if (auto unregister = wtsapi32_.Find<UnregisterSessionFn>("WTSUnRegisterSessionNotification"))
      unregister(window_.get());
    registered_ = false;
  }
}

LRESULT CALLBACK Win32Presence::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Presence*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  SessionListener* listener = self ? self->listener_ : nullptr;
  if (!listener) return DefWindowProcW(window, message, wParam, lParam);
  try {
    switch (message) {
      case WM_WTSSESSION_CHANGE: return OnSessionChange(*listener, window, wParam, lParam);
      case WM_POWERBROADCAST: return OnPowerBroadcast(*listener, wParam);
      default: return DefWindowProcW(window, message, wParam, lParam);
    }
  } catch (...) {
    // Nothing may leave a window procedure.
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace rp::win32
