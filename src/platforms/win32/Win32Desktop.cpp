#include "win32/Win32Desktop.h"

#include <utility>

#include "resource.h"
#include "runtime/Failure.h"
#include "runtime/Layout.h"
#include "runtime/Timer.h"
#include "win32/DialogKeys.h"
#include "win32/FormWindow.h"
#include "win32/NativeControl.h"
#include "win32/PeriodIcon.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kTimerWindowClass[] = L"RespitePrompterTimers";

// An icon or a cursor, as the core holds it.
class Win32Picture : public Picture {
 public:
  // Loaded from a file: the picture's own, destroyed with it.
  explicit Win32Picture(UniqueCursor cursor) : cursor_(std::move(cursor)), handle_(cursor_.get()) {}
  explicit Win32Picture(UniqueIcon icon) : icon_(std::move(icon)), handle_(icon_.get()) {}
  // One of the program's own icons, loaded shared: the system's, never destroyed here.
  explicit Win32Picture(HICON shared) : handle_(shared) {}
  int Type() const override { return kPictureIcon; }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(handle_); }

 private:
  UniqueCursor cursor_;
  UniqueIcon icon_;
  HICON handle_;
};

}  // namespace

Win32Desktop::Win32Desktop(HINSTANCE instance, ComApartment& com)
    : instance_(instance), translations_(instance), dpi_(SystemDpi()), com_(com), accessibility_(com) {
  timerWindow_ = CreateHiddenWindow(instance_, kTimerWindowClass, TimerWindowProc, HWND_MESSAGE, 0, 0, this);
  NativeControl::RegisterClasses(instance_);
}

Win32Desktop::~Win32Desktop() = default;

UINT Win32Desktop::TaskbarCreatedMessage() {
  if (!taskbarCreated_) taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  return *taskbarCreated_;
}

UINT Win32Desktop::AnotherCopyStartedMessage() {
  if (!anotherCopyStarted_) anotherCopyStarted_ = RegisterWindowMessageW(kAnotherCopyStartedMessage);
  return *anotherCopyStarted_;
}

UINT Win32Desktop::SettingsChangedMessage() {
  if (!settingsChanged_) settingsChanged_ = RegisterWindowMessageW(kSettingsChangedMessage);
  return *settingsChanged_;
}

LRESULT CALLBACK Win32Desktop::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_TIMER: return self->OnTimer(wParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT Win32Desktop::OnTimer(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return 0;
  try {
    it->second->Tick();
  } catch (...) {
    // A tick must never take the message loop down with it.
  }
  return 0;
}

void Win32Desktop::Update(Timer& timer) {
  if (timer.Running()) {
    auto it = timerIds_.find(&timer);
    UINT_PTR id = it != timerIds_.end() ? it->second : nextTimerId_++;
    timerIds_[&timer] = id;
    timers_[id] = &timer;
    SetTimer(timerWindow_.get(), id, static_cast<UINT>(timer.Interval()), nullptr);
  } else {
    Forget(timer);
  }
}

void Win32Desktop::Forget(Timer& timer) {
  auto it = timerIds_.find(&timer);
  if (it == timerIds_.end()) return;
  KillTimer(timerWindow_.get(), it->second);
  timers_.erase(it->second);
  timerIds_.erase(it);
}

void Win32Desktop::Dispatch(MSG& message) {
  if (HandleDialogKeys(message)) return;
  TranslateMessage(&message);
  queueEmptyForTimer_ = message.message == WM_TIMER;
  DispatchMessageW(&message);
  queueEmptyForTimer_ = false;
}

void Win32Desktop::DoEvents() {
  // Everything already queued when the call began, and nothing that arrives later, so that a
  // fast timer cannot keep the caller inside for ever.
  // The countdown's tick asks right after it was handed out, when the queue is known to be
  // empty: asking the window system again costs a trip to it (and under Wine a sleep) a second.
  if (std::exchange(queueEmptyForTimer_, false)) return;
  const DWORD began = GetTickCount();
  MSG message;
  // Ask whether anything is queued before fetching it: a PeekMessage that finds nothing also
  // flushes the window surfaces and waits on the display (under Wine, three trips to its
  // server instead of this one).
  while (HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
    if (static_cast<LONG>(message.time - began) > 0) return;
  }
}

void Win32Desktop::WaitForEvent(std::int64_t deadlineMs) {
  const std::int64_t left = deadlineMs - NowMs();
  if (left <= 0) return;
  const DWORD timeout = left >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(left);
  MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

std::int64_t Win32Desktop::NowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

void Win32Desktop::EndProgram() { ExitProcess(0); }

int Win32Desktop::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

std::unique_ptr<FormView> Win32Desktop::CreateView(Form& form) {
  return std::make_unique<FormWindow>(*this, form);
}

ScreenMetrics Win32Desktop::Screen() { return ScreenAt(dpi_); }

std::unique_ptr<Picture> Win32Desktop::LoadPicture(std::string_view path) {
  const std::wstring file = Widen(path);
  constexpr UINT kFromFile = LR_LOADFROMFILE | LR_DEFAULTSIZE;
  if (HANDLE cursor = LoadImageW(nullptr, file.c_str(), IMAGE_CURSOR, 0, 0, kFromFile))
    return std::make_unique<Win32Picture>(UniqueCursor(static_cast<HCURSOR>(cursor)));
  if (HANDLE icon = LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 0, 0, kFromFile))
    return std::make_unique<Win32Picture>(UniqueIcon(static_cast<HICON>(icon)));
  throw Failure("Invalid picture");
}

std::unique_ptr<Picture> Win32Desktop::ApplicationIcon() {
  HANDLE icon = LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
  if (!icon) throw Failure("The application icon is missing");
  return std::make_unique<Win32Picture>(static_cast<HICON>(icon));
}

std::unique_ptr<Picture> Win32Desktop::TrayIconPicture() {
  HANDLE icon = LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, 16, 16, LR_SHARED);
  if (!icon) throw Failure("The tray icon is missing");
  return std::make_unique<Win32Picture>(static_cast<HICON>(icon));
}

std::unique_ptr<Picture> Win32Desktop::PeriodIcon(const PeriodPicture& picture) {
  UniqueIcon icon = DrawPeriodIcon(picture, TrayIconSize(dpiFunctions_), TaskbarIsLight());
  // Without memory for it, the tray keeps the icon it has.
  if (!icon) return nullptr;
  return std::make_unique<Win32Picture>(std::move(icon));
}

bool Win32Desktop::HighContrast() {
  if (!highContrast_) highContrast_ = AskHighContrast();
  return *highContrast_;
}

namespace {

BOOL CALLBACK ThemeChangedFor(HWND window, LPARAM) {
  if (FormWindow* form = FormWindow::FromWindow(window)) form->ThemeChanged();
  return TRUE;
}

}  // namespace

void Win32Desktop::UsePalette(const Palette* palette) {
  palette_ = palette;
  EnumThreadWindows(GetCurrentThreadId(), ThemeChangedFor, 0);
}

void Win32Desktop::DressWindow(HWND window, bool dark) {
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  const auto set = dwmapi_.Find<SetAttribute>("DwmSetWindowAttribute");
  if (!set) return;
  const BOOL on = dark;
  constexpr DWORD kImmersiveDarkMode = 20, kImmersiveDarkModeBefore20H1 = 19;
  if (FAILED(set(window, kImmersiveDarkMode, &on, sizeof on))) set(window, kImmersiveDarkModeBefore20H1, &on, sizeof on);
}

void Win32Desktop::DressControl(HWND control, ControlKind kind, bool dark) {
  using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  const auto set = uxtheme_.Find<SetTheme>("SetWindowTheme");
  if (!set) return;
  switch (kind) {
    // A themed check box draws its caption black whatever its parent says; unthemed, it takes
    // the text colour of WM_CTLCOLORSTATIC.
    case ControlKind::CheckBox: dark ? set(control, L"", L"") : set(control, nullptr, nullptr); break;
    case ControlKind::TextBox:
    case ControlKind::HotkeyBox:
    case ControlKind::ComboBox: set(control, dark ? L"DarkMode_CFD" : nullptr, nullptr); break;
    default: break;  // drawn by the program itself
  }
}

}  // namespace rp::win32
