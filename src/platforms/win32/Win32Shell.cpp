#include "win32/Win32Shell.h"

#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "win32/Handles.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kControlClass[] = L"RespitePrompter.cSysTray";

// The core builds the record byte for byte; it must match the system's own layout for this build.
constexpr const NotifyIconLayout& kLayout = kNotifyIconLayout;
static_assert(NOTIFYICONDATAA_V2_SIZE == kLayout.size);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == kLayout.hWnd && sizeof(HWND) == kLayout.handleBytes);
static_assert(offsetof(NOTIFYICONDATAA, uID) == kLayout.uID);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == kLayout.uFlags);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == kLayout.uCallbackMessage);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == kLayout.hIcon && sizeof(HICON) == kLayout.handleBytes);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == kLayout.szTip);
static_assert(offsetof(NOTIFYICONDATAA, dwState) == kLayout.dwState);
static_assert(offsetof(NOTIFYICONDATAA, dwStateMask) == kLayout.dwStateMask);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == kLayout.szInfo);
static_assert(offsetof(NOTIFYICONDATAA, uTimeout) == kLayout.uTimeout);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == kLayout.szInfoTitle);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == kLayout.dwInfoFlags);

// The control's window: it keeps the core's tray procedure in its extra bytes, where the
// thunk finds it (the user data slot belongs to the core).
class Win32ControlWindow : public ControlWindow {
 public:
  Win32ControlWindow(HWND window, WindowProcedure trayWndProc)
      : window_(window), trayWndProc_(std::move(trayWndProc)) {
    SetWindowLongPtrW(window_.get(), 0, reinterpret_cast<LONG_PTR>(this));
  }
  ~Win32ControlWindow() override { SetWindowLongPtrW(window_.get(), 0, 0); }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(window_.get()); }

  static LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32ControlWindow*>(GetWindowLongPtrW(window, 0));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->trayWndProc_(reinterpret_cast<std::uintptr_t>(window), message, wParam, lParam);
  }

 private:
  UniqueWindow window_;
  WindowProcedure trayWndProc_;
};

}  // namespace

Win32Shell::Win32Shell(HINSTANCE instance) : instance_(instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = kControlClass;
  RegisterClassExW(&windowClass);
}

bool Win32Shell::Shell_NotifyIconA(std::uint32_t message, const NotifyIconBytes& record) {
  NOTIFYICONDATAA data{};
  std::memcpy(&data, record.data(), std::min(record.size(), sizeof data));
  return ::Shell_NotifyIconA(message, &data) != FALSE;
}

std::string Win32Shell::ToAnsi(std::string_view utf8) { return ToAnsiCodePage(utf8); }

std::unique_ptr<ControlWindow> Win32Shell::CreateControlWindow(std::uintptr_t parent,
                                                               WindowProcedure trayWndProc) {
  // Hidden, 34 x 34 pixels: the control's 510 twips.
  HWND window = CreateWindowExW(0, kControlClass, L"", WS_CHILD, 0, 0, 34, 34,
                                reinterpret_cast<HWND>(parent), nullptr, instance_, nullptr);
  if (!window) return nullptr;
  return std::make_unique<Win32ControlWindow>(window, std::move(trayWndProc));
}

std::intptr_t Win32Shell::TrayWndProcAddress() {
  return reinterpret_cast<std::intptr_t>(&Win32ControlWindow::TrayWndProc);
}

std::intptr_t Win32Shell::SetWindowLongA(std::uintptr_t hwnd, int index, std::intptr_t value) {
  return ::SetWindowLongPtrA(reinterpret_cast<HWND>(hwnd), index, value);
}

std::intptr_t Win32Shell::GetWindowLongA(std::uintptr_t hwnd, int index) {
  return ::GetWindowLongPtrA(reinterpret_cast<HWND>(hwnd), index);
}

std::intptr_t Win32Shell::CallWindowProcA(std::intptr_t procedure, std::uintptr_t hwnd,
                                          std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  return ::CallWindowProcA(reinterpret_cast<WNDPROC>(procedure), reinterpret_cast<HWND>(hwnd),
                           message, wParam, lParam);
}

}  // namespace rp::win32
