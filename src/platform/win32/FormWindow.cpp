#include "platform/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "../../../res/resource.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Desktop.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kFrameClass[] = L"RespitePrompterFrame";
constexpr wchar_t kLabelClass[] = L"RespitePrompterLabel";
constexpr wchar_t kProgressClass[] = L"RespitePrompterProgressBar";
constexpr UINT_PTR kButtonSubclassId = 1;
// Commands of the entries a form adds to its system menu: below the system's own (0xF000 on),
// with the low four bits clear as the system requires.
constexpr UINT kFirstSystemMenuCommand = 0x1000;
constexpr UINT kSystemMenuCommandStep = 0x10;

std::wstring FormClassName(const Form& form) { return L"RespitePrompter" + Widen(form.Name()); }

NativeControl* ControlOf(HWND window) {
  return reinterpret_cast<NativeControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Control ids the end-to-end driver knows: Text1 is 1001, Check8 1108, Frame3 1303, ...
int ControlId(const Control& control) {
  static const std::pair<const char*, int> kBases[] = {{"ProgressBar", 1400}, {"PushButton", 1200},
                                                       {"Check", 1100},       {"Frame", 1300},
                                                       {"Label", 1500},       {"Text", 1000}};
  for (const auto& [prefix, base] : kBases) {
    const std::string& name = control.Name();
    if (name.rfind(prefix, 0) == 0) return base + std::atoi(name.c_str() + std::strlen(prefix));
  }
  return 0;
}

std::string FontKey(const Font& font) {
  return font.face + "/" + std::to_string(font.points) + (font.bold ? "/b" : "");
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// Frames, labels and the progress bar are drawn here; they report pointer moves to the model.
void PaintFrame(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  FillWith(dc, client, ResolveColour(c.BackColor()));
  SelectScope font(dc, self.owner.FontFor(c.GetFont()));
  const std::wstring caption = Widen(c.Text());
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  RECT border = client;
  border.top += extent.cy / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  RECT text{self.owner.Px(120) - 2, 0, self.owner.Px(120) + extent.cx + 2, extent.cy};
  FillWith(dc, text, ResolveColour(c.BackColor()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(c.ForeColor()));
  text.left += 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOPREFIX);
}

void PaintLabel(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  FillWith(dc, client, ResolveColour(c.BackColor()));
  SelectScope font(dc, self.owner.FontFor(c.GetFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(c.ForeColor()));
  const std::wstring caption = Widen(c.Text());
  const UINT align = c.Alignment() == TextAlign::Centre ? DT_CENTER : DT_LEFT;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, align | DT_WORDBREAK | DT_NOPREFIX);
}

// Black or white, whichever reads better on the colour.
COLORREF ContrastingText(COLORREF colour) {
  const int luminance = GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114;
  return luminance > 128 * 1000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void PaintProgressBar(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const double fraction =
      c.Max() > 0 ? std::clamp(static_cast<double>(c.Value()) / c.Max(), 0.0, 1.0) : 0.0;
  RECT filled = client, empty = client;
  filled.right = empty.left = client.left + static_cast<LONG>((client.right - client.left) * fraction + 0.5);
  FillWith(dc, filled, ResolveColour(c.FillColor()));
  FillWith(dc, empty, ResolveColour(c.BackColor()));
  // The text reads in a contrasting colour over the filled part and in the bar's own elsewhere.
  SelectScope font(dc, self.owner.FontFor(c.GetFont()));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = Widen(c.Text());
  const std::pair<RECT, COLORREF> parts[] = {{filled, ContrastingText(ResolveColour(c.FillColor()))},
                                             {empty, ResolveColour(c.ForeColor())}};
  for (const auto& [part, colour] : parts) {
    if (part.right <= part.left) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    SetTextColor(dc, colour);
    RECT area = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
  }
}

void PaintButton(NativeControl& self, const DRAWITEMSTRUCT& item) {
  Control& c = self.control;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillWith(dc, rect, ResolveColour(c.BackColor()));
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  SelectScope font(dc, self.owner.FontFor(c.GetFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(c.ForeColor()));
  RECT text = rect;
  if (pressed) OffsetRect(&text, 1, 1);
  const std::wstring caption = Widen(c.Text());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -4, -4);
    DrawFocusRect(dc, &rect);
  }
}

LRESULT CALLBACK DrawnControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  NativeControl* self = ControlOf(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    switch (message) {
      case WM_PAINT: {
        PaintScope paint(window);
        RECT client;
        GetClientRect(window, &client);
        switch (self->control.Kind()) {
          case ControlKind::Frame: PaintFrame(*self, paint.dc(), client); break;
          case ControlKind::Label: PaintLabel(*self, paint.dc(), client); break;
          default: PaintProgressBar(*self, paint.dc(), client); break;
        }
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_MOUSEMOVE:
        self->control.UserMouseMove();
        return 0;
      case WM_COMMAND:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORBTN:
      case WM_DRAWITEM: {
        LRESULT result = 0;
        if (self->owner.HandleChildNotification(message, wParam, lParam, result)) return result;
        break;
      }
      default:
        break;
    }
  } catch (...) {
    // Nothing may leave a window procedure.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
  if (message == WM_MOUSEMOVE) {
    if (NativeControl* self = ControlOf(window)) {
      try {
        self->control.UserMouseMove();
      } catch (...) {
      }
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, ButtonSubclassProc, kButtonSubclassId);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void RegisterDrawnClass(HINSTANCE instance, const wchar_t* name) {
  WNDCLASSEXW drawn{};
  drawn.cbSize = sizeof drawn;
  drawn.style = CS_HREDRAW | CS_VREDRAW;
  drawn.lpfnWndProc = DrawnControlProc;
  drawn.hInstance = instance;
  drawn.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  drawn.lpszClassName = name;
  RegisterClassExW(&drawn);
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

COLORREF ResolveColour(std::uint32_t colour) {
  return (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFF)) : static_cast<COLORREF>(colour);
}

void RegisterFormClasses(Win32Desktop& desktop) {
  for (const wchar_t* name : {kFrameClass, kLabelClass, kProgressClass})
    RegisterDrawnClass(desktop.Instance(), name);
}

bool HandleDialogKeys(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  FormWindow* form = FormWindow::FromWindow(root);
  if (!form) return false;
  switch (message.wParam) {
    case VK_TAB: return form->MoveFocus(GetKeyState(VK_SHIFT) < 0);
    case VK_RETURN:
      // Enter presses the focused push button, else the window's default one.
      if (NativeControl* focused = message.hwnd != root ? ControlOf(message.hwnd) : nullptr;
          focused && focused->control.Kind() == ControlKind::PushButton && form->form().DefaultButtonSet()) {
        focused->control.UserClick();
        return true;
      }
      return form->form().UserPressedEnter();
    case VK_ESCAPE: return form->form().UserPressedEscape();
    default: return false;
  }
}

NativeControl::NativeControl(FormWindow& owner, Control& control, HWND parent)
    : owner(owner), control(control) {
  const TwipsRect& r = control.Rect();
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  const wchar_t* className = kFrameClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.Visible() ? WS_VISIBLE : 0);
  DWORD exStyle = 0;
  switch (control.Kind()) {
    case ControlKind::Frame: style |= WS_CLIPCHILDREN; exStyle = WS_EX_CONTROLPARENT; break;
    case ControlKind::Label: className = kLabelClass; break;
    case ControlKind::ProgressBar: className = kProgressClass; break;
    case ControlKind::TextBox:
      className = WC_EDITW;
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::CheckBox: className = WC_BUTTONW; style |= WS_TABSTOP | BS_3STATE; break;
    case ControlKind::PushButton: className = WC_BUTTONW; style |= WS_TABSTOP | BS_OWNERDRAW; break;
  }
  window = CreateWindowExW(exStyle, className, Widen(control.Text()).c_str(), style, owner.Px(r.left),
                           owner.Px(r.top), owner.Px(r.width), owner.Px(r.height), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (control.Kind() == ControlKind::PushButton)
    SetWindowSubclass(window, ButtonSubclassProc, kButtonSubclassId, 0);
  control.Attach(this);
  Refresh();
}

NativeControl::~NativeControl() {
  control.Attach(nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

void NativeControl::Refresh() {
  const std::wstring text = Widen(control.Text());
  if (WindowText(window) != text) SetWindowTextW(window, text.c_str());
  if (control.Kind() == ControlKind::CheckBox) {
    const WPARAM state = control.Value() == 1 ? BST_CHECKED : control.Value() == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(window, BM_GETCHECK, 0, 0)) != state)
      SendMessageW(window, BM_SETCHECK, state, 0);
  }
  const bool shown = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != control.Visible()) ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE);
  const std::string fontKey = FontKey(control.GetFont());
  if (fontKey != appliedFont_) {
    appliedFont_ = fontKey;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(owner.FontFor(control.GetFont())), TRUE);
  }
  InvalidateRect(window, nullptr, TRUE);
}

FormWindow::FormWindow(Win32Desktop& desktop, Form& form) : desktop_(desktop), form_(form) {
  const std::wstring className = FormClassName(form);
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
  } else if (form.Style() == FormStyle::FixedDialog) {
    style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    if (form.ModalOwner() && form.ModalOwner()->View())
      owner = reinterpret_cast<HWND>(form.ModalOwner()->View()->Handle());
  } else {
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_CONTROLPARENT;
  }
  const SIZE outer = OuterPixels();
  CreateWindowExW(exStyle_, className.c_str(), Widen(form.Caption()).c_str(), style_, CW_USEDEFAULT,
                  CW_USEDEFAULT, outer.cx, outer.cy, owner, nullptr, desktop.Instance(), this);
  AddSystemMenuItems();
  CreateControls();
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

int FormWindow::Px(int twips) const { return MulDiv(twips, desktop_.Dpi(), 1440); }

SIZE FormWindow::OuterPixels() const {
  RECT rect{0, 0, Px(form_.ClientWidth()), Px(form_.ClientHeight())};
  AdjustWindowRectEx(&rect, style_, FALSE, exStyle_);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

int FormWindow::OuterWidth() { return MulDiv(OuterPixels().cx, 1440, desktop_.Dpi()); }
int FormWindow::OuterHeight() { return MulDiv(OuterPixels().cy, 1440, desktop_.Dpi()); }

void FormWindow::CreateControls() {
  // Containers first, then each control in tab order, so the native z-order is the tab order.
  std::vector<Control*> ordered(form_.Controls());
  std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
    const bool aFrame = a->Kind() == ControlKind::Frame, bFrame = b->Kind() == ControlKind::Frame;
    if (aFrame != bFrame) return aFrame;
    return a->TabIndex() < b->TabIndex();
  });
  std::map<const Control*, HWND> natives;
  for (Control* control : ordered) {
    HWND parent = control->Container() ? natives.at(control->Container()) : window_;
    controls_.push_back(std::make_unique<NativeControl>(*this, *control, parent));
    natives[control] = controls_.back()->window;
  }
}

HFONT FormWindow::FontFor(const Font& font) {
  const Font& used = font.points > 0 ? font : Font{"Arial", 9, true};
  auto& slot = fonts_[FontKey(used)];
  if (!slot) {
    slot.reset(CreateFontW(-static_cast<int>(used.points * desktop_.Dpi() / 72.0 + 0.5), 0, 0, 0,
                           used.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           Widen(used.face).c_str()));
  }
  return slot.get();
}

HBRUSH FormWindow::BrushFor(std::uint32_t colour) {
  const COLORREF resolved = ResolveColour(colour);
  auto& slot = brushes_[resolved];
  if (!slot) slot.reset(CreateSolidBrush(resolved));
  return slot.get();
}

bool FormWindow::HandleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      NativeControl* child = ControlOf(reinterpret_cast<HWND>(lParam));
      if (!child) return false;
      const UINT code = HIWORD(wParam);
      if (code == EN_CHANGE && child->control.Kind() == ControlKind::TextBox) {
        child->control.UserSetText(Narrow(WindowText(child->window)));
      } else if (code == BN_CLICKED && (child->control.Kind() == ControlKind::CheckBox ||
                                        child->control.Kind() == ControlKind::PushButton)) {
        child->control.UserClick();
      }
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      NativeControl* child = ControlOf(reinterpret_cast<HWND>(lParam));
      if (!child) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      const std::uint32_t back = child->control.BackColor();
      SetTextColor(dc, ResolveColour(child->control.ForeColor()));
      SetBkColor(dc, ResolveColour(back));
      result = reinterpret_cast<LRESULT>(BrushFor(back));
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      NativeControl* child = ControlOf(item->hwndItem);
      if (!child) return false;
      PaintButton(*child, *item);
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void FormWindow::UpdateCursor() {
  POINT point;
  GetCursorPos(&point);
  HWND under = WindowFromPoint(point);
  if (under && GetAncestor(under, GA_ROOT) == window_)
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

bool FormWindow::HandleSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  switch (form_.MousePointer()) {
    case kBusyPointer:
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return true;
    case kCustomPointer:
      // Without the hand cursor file, the system's own hand shows over the buttons.
      SetCursor(form_.MouseIcon() ? reinterpret_cast<HCURSOR>(form_.MouseIcon()->Handle())
                                  : LoadCursorW(nullptr, IDC_HAND));
      return true;
    default:
      return false;
  }
}

bool FormWindow::MoveFocus(bool backwards) {
  std::vector<NativeControl*> stops;
  for (auto& child : controls_) {
    const ControlKind kind = child->control.Kind();
    if ((kind == ControlKind::TextBox || kind == ControlKind::CheckBox || kind == ControlKind::PushButton) &&
        IsWindowVisible(child->window) && IsWindowEnabled(child->window))
      stops.push_back(child.get());
  }
  if (stops.empty()) return false;
  std::sort(stops.begin(), stops.end(),
            [](auto* a, auto* b) { return a->control.TabIndex() < b->control.TabIndex(); });
  const HWND focus = GetFocus();
  auto current = std::find_if(stops.begin(), stops.end(), [&](auto* s) { return s->window == focus; });
  std::size_t next = 0;
  if (current != stops.end()) {
    const std::size_t at = static_cast<std::size_t>(current - stops.begin());
    next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  }
  ::SetFocus(stops[next]->window);
  if (stops[next]->control.Kind() == ControlKind::TextBox) SendMessageW(stops[next]->window, EM_SETSEL, 0, -1);
  return true;
}

void FormWindow::SetFocus() {
  SetForegroundWindow(window_);
  const HWND focus = GetFocus();
  if (focus && GetAncestor(focus, GA_ROOT) == window_) return;
  // A dialog opens with its first control focused, so the keyboard reaches it at once.
  if (form_.Style() != FormStyle::FixedDialog || !MoveFocus(false)) ::SetFocus(window_);
}

void FormWindow::ApplyWindowState() {
  if (!form_.Visible()) {
    if (IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
    return;
  }
  const bool shown = IsWindowVisible(window_);
  if (!shown && !form_.Placed()) {
    // A window whose place was never set opens centred on the screen.
    const SIZE outer = OuterPixels();
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
      if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
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
  HWND window = window_;
  LRESULT result = 0;
  if (HandleChildNotification(message, wParam, lParam, result)) return result;
  if (message == TaskbarCreatedMessage()) {
    form_.UserShellRestarted();
    return 0;
  }
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, BrushFor(form_.BackColor()));
      return 1;
    }
    case WM_SETCURSOR:
      if (HandleSetCursor(lParam)) return TRUE;
      break;
    case WM_MOUSEMOVE:
      form_.UserMouseMove();
      return 0;
    case WM_SIZE:
      if (!mirroring_) {
        form_.UserResized(wParam == SIZE_MINIMIZED ? kMinimized : wParam == SIZE_MAXIMIZED ? kMaximized : kNormal);
      }
      return 0;
    case WM_ACTIVATE:
      if (!mirroring_ && LOWORD(wParam) != WA_INACTIVE) form_.UserActivated();
      break;
    case WM_CLOSE:
      // The window may be gone when this returns: touch nothing of it afterwards.
      form_.UserClose(kCloseFromControlMenu);
      return 0;
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      const std::size_t count = form_.SystemMenuItems().size();
      if (command >= kFirstSystemMenuCommand && command < kFirstSystemMenuCommand + count * kSystemMenuCommandStep) {
        form_.UserSystemMenu((command - kFirstSystemMenuCommand) / kSystemMenuCommandStep);
        return 0;
      }
      break;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) form_.UserClose(kCloseForWindowsSession);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace rp::win32
