#include "win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string_view>
#include <utility>

#include "resource.h"
#include "runtime/Layout.h"
#include "win32/Accessible.h"
#include "win32/Colours.h"
#include "win32/Dpi.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"
#include "win32/Win32Desktop.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kFrameClass[] = L"RespitePrompterFrame";
constexpr wchar_t kLabelClass[] = L"RespitePrompterLabel";
constexpr wchar_t kProgressClass[] = L"RespitePrompterProgressBar";
constexpr UINT_PTR kButtonSubclassId = 1;
// Sent to per-monitor aware windows (Windows 8.1, and 10 version 1703 for the second).
constexpr UINT kDpiChanged = 0x02E0;        // WM_DPICHANGED
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE
// Posted to itself by a window restored after its scale changed.
constexpr UINT kFitToLayout = WM_APP + 1;
// Commands of the entries a form adds to its system menu: below the system's own (0xF000 on),
// with the low four bits clear as the system requires.
constexpr UINT kFirstSystemMenuCommand = 0x1000;
constexpr UINT kSystemMenuCommandStep = 0x10;

// The common controls' library (the themed edit box, check box and push button) comes with the
// first control of those kinds, not with the start: a copy that starts in the tray and stays
// there never maps it.
SystemLibrary& CommonControls() {
  static SystemLibrary library(L"comctl32.dll", SystemLibrary::From::Manifest);
  static const bool initialised = [] {
    const auto initialise = library.Find<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    return initialise && initialise(&classes);
  }();
  (void)initialised;
  return library;
}

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
// Where a frame's caption (and the background behind it) starts: 120 twips in, less a margin.
int CaptionLeft(const FormWindow& window) { return window.Px(120) - 2; }

void PaintFrame(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  FillWith(dc, client, BackColourOf(c));
  SelectScope font(dc, self.font);
  const std::wstring caption = Widen(c.Text());
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  self.captionHeight = extent.cy;
  RECT border = client;
  border.top += extent.cy / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  RECT text{CaptionLeft(self.owner), 0, CaptionLeft(self.owner) + extent.cx + 4, extent.cy};
  FillWith(dc, text, BackColourOf(c));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ForeColourOf(c));
  text.left += 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOPREFIX);
}

void PaintLabel(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  FillWith(dc, client, BackColourOf(c));
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ForeColourOf(c));
  const std::wstring caption = Widen(c.Text());
  const UINT align = c.Alignment() == TextAlign::Centre ? DT_CENTER : DT_LEFT;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, align | DT_WORDBREAK | DT_NOPREFIX);
}

// The bar inside its sunken edge.
RECT BarInterior(HWND bar) {
  RECT client;
  GetClientRect(bar, &client);
  InflateRect(&client, -2, -2);
  return client;
}

// Where the filled part of the bar ends, in proportion to its value.
LONG FillEdge(const Control& c, const RECT& interior) {
  const double fraction =
      c.Max() > 0 ? std::clamp(static_cast<double>(c.Value()) / c.Max(), 0.0, 1.0) : 0.0;
  return interior.left + static_cast<LONG>((interior.right - interior.left) * fraction + 0.5);
}

void PaintProgressBar(NativeControl& self, HDC dc, RECT client) {
  Control& c = self.control;
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  RECT filled = client, empty = client;
  filled.right = empty.left = self.paintedFillEdge = FillEdge(c, client);
  FillWith(dc, filled, FillColourOf(c));
  FillWith(dc, empty, BackColourOf(c));
  // The text reads in a contrasting colour over the filled part and in the bar's own elsewhere.
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = Widen(c.Text());
  const std::pair<RECT, COLORREF> parts[] = {{filled, TextOverFillOf(c)}, {empty, ForeColourOf(c)}};
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
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  FillWith(dc, rect, BackColourOf(c));
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  SelectScope font(dc, self.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ForeColourOf(c));
  RECT text = rect;
  if (pressed) OffsetRect(&text, 1, 1);
  const std::wstring caption = Widen(c.Text());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) {
    const int inset = self.owner.Px(60);  // 4 pixels at 96 dots per inch
    InflateRect(&rect, -inset, -inset);
    DrawFocusRect(dc, &rect);
  }
}

void PaintDrawn(NativeControl& self, HDC dc) {
  RECT client;
  GetClientRect(self.window, &client);
  switch (self.control.Kind()) {
    case ControlKind::Frame: PaintFrame(self, dc, client); break;
    case ControlKind::Label: PaintLabel(self, dc, client); break;
    default: PaintProgressBar(self, dc, client); break;
  }
}

bool IsDrawnHere(ControlKind kind) {
  return kind == ControlKind::Frame || kind == ControlKind::Label || kind == ControlKind::ProgressBar;
}

LRESULT CALLBACK DrawnControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  NativeControl* self = ControlOf(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    switch (message) {
      case WM_PAINT: {
        PaintScope paint(window);
        PaintDrawn(*self, paint.dc());
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_MOUSEMOVE:
        self->control.UserMouseMove();
        return 0;
      case WM_GETOBJECT:
        if (const LRESULT object = AnswerGetObject(window, wParam, lParam)) return object;
        break;
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
  } else if (message == WM_LBUTTONDBLCLK) {
    // An owner-drawn button reports a fast second click only as a double click; press it like
    // the first, as a standard push button does, so that every click counts.
    message = WM_LBUTTONDOWN;
  } else if (message == WM_GETOBJECT) {
    try {
      if (const LRESULT object = AnswerGetObject(window, wParam, lParam)) return object;
    } catch (...) {
    }
  } else if (message == WM_NCDESTROY) {
    static const auto removeSubclass =
        CommonControls().Find<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass");
    if (removeSubclass) removeSubclass(window, ButtonSubclassProc, kButtonSubclassId);
  }
  // Only a button the subclass was set on comes here, so the library has the function.
  static const auto defaultProc = CommonControls().Find<decltype(&::DefSubclassProc)>("DefSubclassProc");
  return defaultProc(window, message, wParam, lParam);
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

std::wstring FormClassName(std::string_view formName) { return L"RespitePrompter" + Widen(formName); }

UINT AnotherCopyStartedMessage() {
  static const UINT message = RegisterWindowMessageW(L"RespitePrompter.AnotherCopyStarted");
  return message;
}

UINT SettingsChangedMessage() {
  static const UINT message = RegisterWindowMessageW(L"RespitePrompter.SettingsChanged");
  return message;
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
      // Enter presses the focused push button as Space does (the button class handles Space
      // itself), else the window's default one.
      if (NativeControl* focused = message.hwnd != root ? ControlOf(message.hwnd) : nullptr;
          focused && focused->control.Kind() == ControlKind::PushButton) {
        if (!(message.lParam & (1 << 30))) focused->control.UserClick();  // not a held key's repeat
        return true;
      }
      return form->form().UserPressedEnter();
    case VK_ESCAPE: return form->form().UserPressedEscape();
    default: return false;
  }
}

NativeControl::NativeControl(FormWindow& owner, Control& control, HWND parent)
    : owner(owner), control(control) {
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
  if (className == std::wstring_view(WC_EDITW) || className == std::wstring_view(WC_BUTTONW)) CommonControls();
  const PixelRect place = PixelsOf(control.Rect(), owner.Dpi());
  window = CreateWindowExW(exStyle, className, Widen(control.Text()).c_str(), style, place.left, place.top,
                           place.width, place.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (control.Kind() == ControlKind::PushButton) {
    static const auto setSubclass = CommonControls().Find<decltype(&::SetWindowSubclass)>("SetWindowSubclass");
    if (setSubclass) setSubclass(window, ButtonSubclassProc, kButtonSubclassId, 0);
  }
  control.Attach(this);
  // Created with its text and visibility; the rest is applied here.
  ApplyValue();
  ApplyLook();
  if (!control.Enabled()) ApplyEnabled();
}

NativeControl::~NativeControl() {
  control.Attach(nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

NativeControl* NativeControl::FromWindow(HWND window) { return ControlOf(window); }

void NativeControl::Place() {
  const PixelRect place = PixelsOf(control.Rect(), owner.Dpi());
  SetWindowPos(window, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyFont();
  owner.Tips().Place(window);
}

void NativeControl::Refresh(ControlChange change) {
  switch (change) {
    case ControlChange::Text: ApplyText(); break;
    case ControlChange::Value:
    case ControlChange::Maximum: ApplyValue(); break;
    case ControlChange::Visible: ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE); break;
    case ControlChange::Look: ApplyLook(); break;
    case ControlChange::Enabled: ApplyEnabled(); break;
  }
}

void NativeControl::Redraw(const RECT* part) {
  if (!IsWindowVisible(window) || IsIconic(GetAncestor(window, GA_ROOT))) return;
  if (!IsDrawnHere(control.Kind())) {
    InvalidateRect(window, part, TRUE);
    return;
  }
  // Drawn at once, as the system's static controls draw a new text: no update region and no
  // WM_PAINT to fetch, fewer trips to the window system on every tick.
  WindowDcScope dc(window);
  if (part) IntersectClipRect(dc.dc(), part->left, part->top, part->right, part->bottom);
  PaintDrawn(*this, dc.dc());
}

void NativeControl::ApplyText() {
  SetWindowTextW(window, Widen(control.Text()).c_str());
  switch (control.Kind()) {
    case ControlKind::Frame: {
      // Only the caption's line, from where the caption starts: the border and what the frame
      // holds stay as they are.
      RECT caption;
      GetClientRect(window, &caption);
      if (captionHeight > 0) {
        caption.left = CaptionLeft(owner);
        caption.bottom = captionHeight;
      }
      Redraw(&caption);
      break;
    }
    case ControlKind::Label:
    case ControlKind::ProgressBar:
    case ControlKind::PushButton: Redraw(nullptr); break;
    default: break;  // edit and check box controls repaint their own text
  }
}

void NativeControl::ApplyValue() {
  if (control.Kind() == ControlKind::CheckBox) {
    const WPARAM state = control.Value() == 1 ? BST_CHECKED : control.Value() == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    SendMessageW(window, BM_SETCHECK, state, 0);
  } else if (control.Kind() == ControlKind::ProgressBar) {
    // Only the strip between the painted and the new end of the filled part; often none at all.
    RECT strip = BarInterior(window);
    const LONG edge = FillEdge(control, strip);
    if (edge == paintedFillEdge) return;
    if (paintedFillEdge >= 0) {
      strip.left = std::min(edge, paintedFillEdge);
      strip.right = std::max(edge, paintedFillEdge);
    }
    Redraw(&strip);
  }
}

void NativeControl::ApplyFont() {
  HFONT wanted = owner.FontFor(control.GetFont());
  if (wanted != font) {
    font = wanted;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

void NativeControl::ApplyLook() {
  ApplyFont();
  Redraw(nullptr);
}

void NativeControl::ApplyEnabled() {
  EnableWindow(window, control.Enabled());
  owner.Tips().Set(GetAncestor(window, GA_ROOT), window, control.DisabledReason());
}

FormWindow::FormWindow(Win32Desktop& desktop, Form& form) : desktop_(desktop), form_(form), dpi_(desktop.Dpi()) {
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
  } else if (form.Style() == FormStyle::FixedDialog) {
    style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    if (form.ModalOwner() && form.ModalOwner()->View())
      owner = reinterpret_cast<HWND>(form.ModalOwner()->View()->Handle());
  } else {
    style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_CONTROLPARENT;
  }
  const SIZE outer = OuterPixels(desktop.Dpi());
  CreateWindowExW(exStyle_, className.c_str(), Widen(form.Caption()).c_str(), style_, CW_USEDEFAULT,
                  CW_USEDEFAULT, outer.cx, outer.cy, owner, nullptr, desktop.Instance(), this);
  // It opened on a monitor of other dots per inch than the system's: its size at that monitor's.
  dpi_ = WindowDpi(window_);
  if (dpi_ != desktop.Dpi()) FitToLayout(nullptr);
  AddSystemMenuItems();
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
  const RECT outer = OuterRect(client, style_, exStyle_, dpi);
  return {outer.right - outer.left, outer.bottom - outer.top};
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

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
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
}

void FormWindow::CreateControls() {
  // Made when the window first shows more than its caption: a copy that starts in the tray and
  // stays there spends nothing on them.
  if (controlsCreated_) return;
  controlsCreated_ = true;
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
    slot.reset(CreateFontW(-FontPixels(used.points, dpi_), 0, 0, 0,
                           used.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           Widen(used.face).c_str()));
  }
  return slot.get();
}

HBRUSH FormWindow::BrushFor(COLORREF colour) {
  auto& slot = brushes_[colour];
  if (!slot) slot.reset(CreateSolidBrush(colour));
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
      const COLORREF back = BackColourOf(child->control);
      SetTextColor(dc, ForeColourOf(child->control));
      SetBkColor(dc, back);
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
  if (form_.WindowState() != kMinimized) CreateControls();
  const bool shown = IsWindowVisible(window_);
  if (!shown && !form_.Placed()) {
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
  if (message == AnotherCopyStartedMessage()) {
    form_.UserAnotherCopyStarted();
    return 0;
  }
  if (message == SettingsChangedMessage()) {
    form_.UserSettingsChanged();
    return 0;
  }
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, BrushFor(PartColour(form_.BackColor(), kButtonFaceColour)));
      return 1;
    }
    case WM_SETCURSOR:
      if (HandleSetCursor(lParam)) return TRUE;
      break;
    case WM_MOUSEMOVE:
      form_.UserMouseMove();
      return 0;
    case WM_QUERYOPEN:  // a minimised window is about to be restored, by whatever means
      CreateControls();
      return TRUE;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED && fitWhenRestored_) {
        // The scale changed while the window was minimised: its size at the new scale, once
        // the restore has put back the old one.
        fitWhenRestored_ = false;
        PostMessageW(window, kFitToLayout, 0, 0);
      }
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
    case kGetDpiScaledSize: {
      const SIZE outer = OuterPixels(LOWORD(wParam));
      *reinterpret_cast<SIZE*>(lParam) = outer;
      return TRUE;
    }
    case kFitToLayout: {
      const bool mirroring = std::exchange(mirroring_, true);
      FitToLayout(nullptr);
      mirroring_ = mirroring;
      return 0;
    }
    case kDpiChanged:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETTINGCHANGE:
      // Group Policy says "Policy" to every window once it has applied new policies; the
      // settings are read again once this broadcast has returned to its sender.
      if (lParam && std::wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"Policy") == 0)
        PostMessageW(window, SettingsChangedMessage(), 0, 0);
      if (wParam != SPI_SETHIGHCONTRAST) break;
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:
      // High-contrast mode or the system colours changed: draw everything in the new colours.
      HighContrastChanged();
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      const std::size_t count = form_.SystemMenuItems().size();
      if (command >= kFirstSystemMenuCommand && command < kFirstSystemMenuCommand + count * kSystemMenuCommandStep) {
        form_.UserSystemMenu((command - kFirstSystemMenuCommand) / kSystemMenuCommandStep);
        return 0;
      }
      // The close button, Close in the menu and Alt+F4; WM_CLOSE alone comes from programs.
      if (command == SC_CLOSE) {
        form_.UserCloseButton();
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
