#include "win32/FormWindow.h"

#include <algorithm>
#include <cwchar>
#include <string_view>
#include <utility>

#include "resource.h"
#include "runtime/Layout.h"
#include "runtime/Translation.h"
#include "win32/Colours.h"
#include "win32/DialogKeys.h"
#include "win32/Dpi.h"
#include "win32/NativeControl.h"
#include "win32/Text.h"
#include "win32/Win32Desktop.h"

namespace rp::win32 {
namespace {

// Sent to per-monitor aware windows (Windows 8.1, and 10 version 1703 for the second).
constexpr UINT kDpiChanged = 0x02E0;        // WM_DPICHANGED
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE
// Posted to itself by a window restored after its scale changed.
constexpr UINT kFitToLayout = WM_APP + 1;
// Commands of the entries a form adds to its system menu: below the system's own (0xF000 on),
// with the low four bits clear as the system requires.
constexpr UINT kFirstSystemMenuCommand = 0x1000;
constexpr UINT kSystemMenuCommandStep = 0x10;

std::string FontKey(const Font& font) {
  return font.face + "/" + std::to_string(font.points) + (font.bold ? "/b" : "") + "/" +
         std::to_string(static_cast<int>(font.script));
}

// The character set asks the font mapper for a face that has the writing's characters, should
// the named face be missing.
BYTE CharacterSet(Script script) {
  switch (script) {
    case Script::Japanese:
      return SHIFTJIS_CHARSET;
    case Script::SimplifiedChinese:
      return GB2312_CHARSET;
    case Script::Latin:
      break;
  }
  return DEFAULT_CHARSET;
}

}  // namespace

std::wstring FormClassName(std::string_view formName) { return L"RespitePrompter" + Widen(formName); }

FormWindow::FormWindow(Win32Desktop& desktop, Form& form)
    : desktop_(desktop), form_(form), dpi_(form.Monitor() ? form.Monitor()->dpi : desktop.Dpi()) {
  const std::wstring className = FormClassName(form.Name());
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(desktop.Instance(), className.c_str(), &windowClass)) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = desktop.Instance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(desktop.Instance(), MAKEINTRESOURCEW(IDI_APP));
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
  }
  HWND owner = nullptr;
  if (form.Style() == FormStyle::FixedToolWindow) {
    style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_TOOLWINDOW;
  } else if (form.Style() == FormStyle::Borderless) {
    style_ = WS_POPUP | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  } else if (IsDialog(form.Style())) {
    style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
             (form.Style() == FormStyle::SizableDialog ? WS_THICKFRAME : 0);
    exStyle_ = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    if (form.ModalOwner() && form.ModalOwner()->View())
      owner = reinterpret_cast<HWND>(form.ModalOwner()->View()->Handle());
  } else {
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_CONTROLPARENT;
  }
  const int openingDpi = dpi_;
  const SIZE outer = OuterPixels(openingDpi);
  // A window that belongs to a monitor opens at the top left of its work area, so that it has
  // that monitor's dots per inch from the start.
  const POINT at = form.Monitor() ? POINT{form.Monitor()->workArea.left, form.Monitor()->workArea.top}
                                  : POINT{CW_USEDEFAULT, CW_USEDEFAULT};
  CreateWindowExW(exStyle_, className.c_str(), Widen(form.Caption()).c_str(), style_, at.x, at.y, outer.cx,
                  outer.cy, owner, nullptr, desktop.Instance(), this);
  // It opened on a monitor of other dots per inch than the system's: its size at that monitor's.
  dpi_ = desktop_.dpiFunctions().WindowDpi(window_);
  if (dpi_ != openingDpi) FitToLayout(nullptr);
  if (desktop_.DrawsDark(form_)) desktop_.DressWindow(window_, true);  // before it shows
  AddSystemMenuItems();
}

// The entries' texts follow the language, their states the window's, as the menu opens.
void FormWindow::UpdateSystemMenuItems(HMENU menu) {
  for (std::size_t i = 0; i < form_.SystemMenuItems().size(); ++i) {
    const UINT command = kFirstSystemMenuCommand + i * kSystemMenuCommandStep;
    const UINT state = form_.SystemMenuItemEnabled(i) ? MF_ENABLED : MF_GRAYED;
    ModifyMenuW(menu, command, MF_BYCOMMAND | MF_STRING | state, command, Widen(form_.SystemMenuItems()[i]).c_str());
  }
}

POINT FormWindow::MinimumSize() const {
  const RECT client{0, 0, Px(form_.MinClientWidth()), Px(form_.MinClientHeight())};
  const RECT outer = desktop_.dpiFunctions().OuterRect(client, style_, exStyle_, dpi_);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

LRESULT FormWindow::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
  if (form_.Style() != FormStyle::SizableDialog) return Default(WM_GETMINMAXINFO, wParam, lParam);
  reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = MinimumSize();
  return 0;
}

LRESULT FormWindow::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(lParam)) UpdateSystemMenuItems(reinterpret_cast<HMENU>(wParam));
  return Default(WM_INITMENUPOPUP, wParam, lParam);
}

void FormWindow::AddSystemMenuItems() {
  const auto& items = form_.SystemMenuItems();
  if (items.empty() || !window_) return;
  HMENU menu = GetSystemMenu(window_, FALSE);
  UINT position = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    InsertMenuW(menu, position++, MF_BYPOSITION | MF_STRING,
                kFirstSystemMenuCommand + i * kSystemMenuCommandStep, Widen(items[i]).c_str());
  }
  InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

FormWindow::~FormWindow() {
  controls_.clear();
  toolTips_.Clear();
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

FormWindow* FormWindow::FromWindow(HWND window) {
  if (!window) return nullptr;
  wchar_t className[64];
  if (!GetClassNameW(window, className, 64) || std::wcsncmp(className, L"RespitePrompterForm", 19) != 0)
    return nullptr;
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int FormWindow::Px(int twips) const { return TwipsToPixels(twips, dpi_); }

SIZE FormWindow::OuterPixels(int dpi) const {
  const RECT client{0, 0, TwipsToPixels(form_.ClientWidth(), dpi), TwipsToPixels(form_.ClientHeight(), dpi)};
  const RECT outer = desktop_.dpiFunctions().OuterRect(client, style_, exStyle_, dpi);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

bool FormWindow::Covered() {
  // Composition gives every window a surface of its own, so its clipping says nothing of the
  // windows above it: ask which window is at its middle and its four quarter points instead.
  RECT rect;
  if (!GetWindowRect(window_, &rect) || IsRectEmpty(&rect)) return false;
  const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  for (const auto& [x, y] : {std::pair{2, 2}, std::pair{1, 1}, std::pair{3, 1}, std::pair{1, 3}, std::pair{3, 3}}) {
    const POINT at{rect.left + width * x / 4, rect.top + height * y / 4};
    const HWND there = WindowFromPoint(at);
    if (there && GetAncestor(there, GA_ROOT) == window_) return false;
  }
  return true;
}

int FormWindow::OuterWidth() { return PixelsToTwips(OuterPixels(dpi_).cx, dpi_); }
int FormWindow::OuterHeight() { return PixelsToTwips(OuterPixels(dpi_).cy, dpi_); }

ScreenMetrics FormWindow::Screen() { return ScreenAt(dpi_); }

void FormWindow::FitToLayout(const POINT* place) {
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (place ? 0 : SWP_NOMOVE);
  const POINT at = place ? *place : POINT{};
  const SIZE outer = OuterPixels(dpi_);
  SetWindowPos(window_, nullptr, at.x, at.y, outer.cx, outer.cy, flags);
  // Where the frame is not drawn at the window's dots per inch (Wine draws it at the system's),
  // the client area comes out other than the layout: give the window what it lacks.
  RECT client;
  GetClientRect(window_, &client);
  const LONG wider = Px(form_.ClientWidth()) - client.right, taller = Px(form_.ClientHeight()) - client.bottom;
  if (wider || taller)
    SetWindowPos(window_, nullptr, 0, 0, outer.cx + wider, outer.cy + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  const bool mirroring = std::exchange(mirroring_, true);
  dpi_ = dpi;
  // The fonts of the old size go once every control has one of the new.
  const auto oldFonts = std::move(fonts_);
  fonts_.clear();
  // Windows suggests the place; the size is the layout's own, which WM_GETDPISCALEDSIZE has
  // already told Windows where it asks.
  // A minimised window has no client area to measure: it takes its size when restored.
  const POINT place{suggested.left, suggested.top};
  if (IsIconic(window_))
    fitWhenRestored_ = true;
  else
    FitToLayout(&place);
  for (auto& child : controls_) child->Place();
  mirroring_ = mirroring;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return 0;
}

void FormWindow::CreateControls() {
  // Made when the window first shows more than its caption: a copy that starts in the tray and
  // stays there spends nothing on them.
  if (controlsCreated_) return;
  controlsCreated_ = true;
  // A window hidden in the tray since start may have missed a change of its monitor's scale.
  if (const int dpi = desktop_.dpiFunctions().WindowDpi(window_); dpi != dpi_) {
    dpi_ = dpi;
    if (IsIconic(window_))
      fitWhenRestored_ = true;
    else
      FitToLayout(nullptr);
  }
  // Containers first (a tab strip before the frames that are its pages), then each control in
  // tab order, so the native z-order is the tab order.
  const auto rank = [](const Control* c) {
    return c->Kind() == ControlKind::TabStrip ? 0 : c->Kind() == ControlKind::Frame ? 1 : 2;
  };
  std::vector<Control*> ordered(form_.Controls());
  std::stable_sort(ordered.begin(), ordered.end(), [&](const Control* a, const Control* b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return a->TabIndex() < b->TabIndex();
  });
  std::map<const Control*, HWND> natives;
  for (Control* control : ordered) {
    HWND parent = control->Container() ? natives.at(control->Container()) : window_;
    controls_.push_back(std::make_unique<NativeControl>(*this, *control, parent));
    natives[control] = controls_.back()->window;
  }
  if (desktop_.DrawsDark(form_)) DressForTheme();  // the design's look needs nothing
}

HFONT FormWindow::FontFor(const Font& font) {
  const Font used = InLanguage(font.points > 0 ? font : Font{"Arial", 9, true});
  auto& slot = fonts_[FontKey(used)];
  if (!slot) {
    slot.reset(CreateFontW(-FontPixels(used.points, dpi_), 0, 0, 0,
                           used.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, CharacterSet(used.script),
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           Widen(used.face).c_str()));
  }
  return slot.get();
}

Colours FormWindow::colours() const { return desktop_.ColoursFor(form_); }

void FormWindow::DressForTheme() {
  const bool dark = desktop_.DrawsDark(form_);
  desktop_.DressWindow(window_, dark);
  for (const auto& control : controls_) desktop_.DressControl(control->window, control->control.Kind(), dark);
}

void FormWindow::ThemeChanged() {
  DressForTheme();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

HBRUSH FormWindow::BrushFor(COLORREF colour) {
  auto& slot = brushes_[colour];
  if (!slot) slot.reset(CreateSolidBrush(colour));
  return slot.get();
}

void FormWindow::UpdateCursor() {
  POINT point;
  GetCursorPos(&point);
  HWND under = WindowFromPoint(point);
  if (under && GetAncestor(under, GA_ROOT) == window_)
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

LRESULT FormWindow::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(lParam) == HTCLIENT) {
    switch (form_.MousePointer()) {
      case kBusyPointer:
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      case kCustomPointer:
        // Without the hand cursor file, the system's own hand shows over the buttons.
        SetCursor(form_.MouseIcon() ? reinterpret_cast<HCURSOR>(form_.MouseIcon()->Handle())
                                    : LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      default:
        break;
    }
  }
  return Default(WM_SETCURSOR, wParam, lParam);
}

NativeControl* FormWindow::ControlOf(const Control& control) const {
  for (const auto& child : controls_)
    if (&child->control == &control) return child.get();
  return nullptr;
}

NativeControl* FormWindow::ControlOf(HWND child) const {
  for (const auto& native : controls_)
    if (native->window == child) return native.get();
  return nullptr;
}

void FormWindow::FocusControl(Control& control) {
  const NativeControl* native = ControlOf(control);
  if (!native) return;
  ::SetFocus(native->window);
  if (control.Kind() == ControlKind::TextBox) SendMessageW(native->window, EM_SETSEL, 0, -1);
}

void FormWindow::SetFocus() {
  SetForegroundWindow(window_);
  const HWND focus = GetFocus();
  if (focus && GetAncestor(focus, GA_ROOT) == window_) return;
  // A dialog opens with its first control focused, so the keyboard reaches it at once.
  if (!IsDialog(form_.Style()) || !MoveFocus(*this, false)) ::SetFocus(window_);
}

void FormWindow::ApplyWindowState() {
  if (!form_.Visible()) {
    if (IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
    return;
  }
  if (form_.WindowState() != kMinimized) CreateControls();
  const bool shown = IsWindowVisible(window_);
  if (!shown && !form_.Placed() && !form_.Monitor()) {
    // A window whose place was never set opens centred on the screen.
    const SIZE outer = OuterPixels(dpi_);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - outer.cx) / 2,
                 work.top + (work.bottom - work.top - outer.cy) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  switch (form_.WindowState()) {
    case kMinimized:
      if (!shown) ShowWindow(window_, SW_SHOWMINNOACTIVE);
      else if (!IsIconic(window_)) ShowWindow(window_, SW_MINIMIZE);
      break;
    case kMaximized:
      if (!shown || !IsZoomed(window_)) ShowWindow(window_, SW_SHOWMAXIMIZED);
      break;
    default:
      // Minimised from maximised, a window restores to maximised: restore it once more.
      if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
      if (IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
      if (!IsWindowVisible(window_)) ShowWindow(window_, form_.ActivateOnShow() ? SW_SHOW : SW_SHOWNOACTIVATE);
      break;
  }
}

void FormWindow::Refresh() {
  if (!window_) return;
  mirroring_ = true;
  if (form_.Caption() != appliedCaption_) {
    appliedCaption_ = form_.Caption();
    SetWindowTextW(window_, Widen(appliedCaption_).c_str());
  }
  const std::uintptr_t icon = form_.Icon() ? form_.Icon()->Handle() : 0;
  if (icon != appliedIcon_) {
    appliedIcon_ = icon;
    SendMessageW(window_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
  }
  if (form_.Placed() && (form_.Left() != appliedPosition_.x || form_.Top() != appliedPosition_.y)) {
    appliedPosition_ = {form_.Left(), form_.Top()};
    SetWindowPos(window_, nullptr, Px(form_.Left()), Px(form_.Top()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (form_.Topmost() && !appliedTopmost_) {
    appliedTopmost_ = true;
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (form_.Enabled() != (IsWindowEnabled(window_) != FALSE)) EnableWindow(window_, form_.Enabled());
  if (form_.BackColor() != appliedBackColor_) {
    appliedBackColor_ = form_.BackColor();
    InvalidateRect(window_, nullptr, TRUE);
  }
  ApplyWindowState();
  mirroring_ = false;
  if (form_.MousePointer() != appliedPointer_) {
    appliedPointer_ = form_.MousePointer();
    UpdateCursor();
  }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // From the controls placed on the window itself.
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM: return NativeControl::ReflectNotification(window_, message, wParam, lParam);
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove();
    case WM_QUERYOPEN: return OnQueryOpen();
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_CLOSE: return OnClose();
    case kGetDpiScaledSize: return OnGetDpiScaledSize(LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam));
    case kFitToLayout: return OnFitToLayout();
    case kDpiChanged: return OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    case WM_SETTINGCHANGE: return OnSettingChange(wParam, lParam);
    case WM_SYSCOLORCHANGE: return OnSysColorChange(wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(wParam, lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wParam, lParam);
    case WM_HOTKEY: return desktop().hotkeys().Pressed(wParam), 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: return OnEndSession(wParam);
    default: return OnOtherMessage(message, wParam, lParam);
  }
}

LRESULT FormWindow::OnNotify(const NMHDR& header) {
  // Looked up among the window's own controls: tips and the system's controls notify too.
  NativeControl* child = ControlOf(header.hwndFrom);
  return child ? child->OnNotify(header) : Default(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

LRESULT FormWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT FormWindow::OnEraseBackground(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, BrushFor(colours().PartColour(form_.BackColor(), kButtonFaceColour)));
  return 1;
}

LRESULT FormWindow::OnMouseMove() {
  form_.UserMouseMove();
  return 0;
}

// A minimised window is about to be restored, by whatever means.
LRESULT FormWindow::OnQueryOpen() {
  CreateControls();
  return TRUE;
}

LRESULT FormWindow::OnSize(WPARAM kind, LPARAM lParam) {
  if (kind == SIZE_RESTORED && fitWhenRestored_) {
    // The scale changed while the window was minimised: its size at the new scale, once the
    // restore has put back the old one.
    fitWhenRestored_ = false;
    PostMessageW(window_, kFitToLayout, 0, 0);
  }
  if (!mirroring_ && kind != SIZE_MINIMIZED)
    form_.UserSized(PixelsToTwips(LOWORD(lParam), dpi_), PixelsToTwips(HIWORD(lParam), dpi_));
  if (!mirroring_)
    form_.UserResized(kind == SIZE_MINIMIZED ? kMinimized : kind == SIZE_MAXIMIZED ? kMaximized : kNormal);
  return 0;
}

LRESULT FormWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (!mirroring_ && LOWORD(wParam) != WA_INACTIVE) form_.UserActivated();
  return Default(WM_ACTIVATE, wParam, lParam);
}

LRESULT FormWindow::OnClose() {
  // The window may be gone when this returns: touch nothing of it afterwards.
  form_.UserClose(kCloseFromControlMenu);
  return 0;
}

LRESULT FormWindow::OnGetDpiScaledSize(int dpi, SIZE& outer) {
  outer = OuterPixels(dpi);
  return TRUE;
}

LRESULT FormWindow::OnFitToLayout() {
  const bool mirroring = std::exchange(mirroring_, true);
  FitToLayout(nullptr);
  mirroring_ = mirroring;
  return 0;
}

LRESULT FormWindow::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  if (wParam == SPI_SETHIGHCONTRAST) ColoursChanged();
  // Windows' apps turned light or dark, or its accent changed.
  if (lParam && std::wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0)
    form_.UserColourSetChanged();
  // Group Policy says "Policy" to every window once it has applied new policies; the settings
  // are read again once this broadcast has returned to its sender.
  if (lParam && std::wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"Policy") == 0)
    PostMessageW(window_, desktop_.SettingsChangedMessage(), 0, 0);
  return Default(WM_SETTINGCHANGE, wParam, lParam);
}

LRESULT FormWindow::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
  ColoursChanged();
  return Default(WM_SYSCOLORCHANGE, wParam, lParam);
}

void FormWindow::ColoursChanged() {
  desktop_.HighContrastChanged();
  // High contrast takes the dark theme's title bar and controls away, or gives them back.
  if (desktop_.UsesPalette()) return ThemeChanged();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT FormWindow::OnSysCommand(WPARAM wParam, LPARAM lParam) {
  const UINT command = static_cast<UINT>(wParam & 0xFFF0);
  // The close button, Close in the menu and Alt+F4; WM_CLOSE alone comes from programs.
  if (command == SC_CLOSE) {
    form_.UserCloseButton();
    return 0;
  }
  const std::size_t count = form_.SystemMenuItems().size();
  if (command < kFirstSystemMenuCommand || command >= kFirstSystemMenuCommand + count * kSystemMenuCommandStep)
    return Default(WM_SYSCOMMAND, wParam, lParam);
  form_.UserSystemMenu((command - kFirstSystemMenuCommand) / kSystemMenuCommandStep);
  return 0;
}

LRESULT FormWindow::OnEndSession(WPARAM ending) {
  if (ending) form_.UserClose(kCloseForWindowsSession);
  return 0;
}

LRESULT FormWindow::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == desktop_.TaskbarCreatedMessage()) {
    form_.UserShellRestarted();
    return 0;
  }
  if (message == desktop_.AnotherCopyStartedMessage()) {
    form_.UserAnotherCopyStarted();
    return 0;
  }
  if (message == desktop_.SettingsChangedMessage()) {
    form_.UserSettingsChanged();
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace rp::win32
