#include "win32/NativeControl.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/Layout.h"
#include "runtime/Translation.h"
#include "settings/HotkeyText.h"
#include "win32/Colours.h"
#include "win32/CommonControls.h"
#include "win32/ControlPainting.h"
#include "win32/FormWindow.h"
#include "win32/Text.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Hotkeys.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kFrameClass[] = L"RespitePrompterFrame";
constexpr wchar_t kLabelClass[] = L"RespitePrompterLabel";
constexpr wchar_t kProgressClass[] = L"RespitePrompterProgressBar";
constexpr wchar_t kChartClass[] = L"RespitePrompterChart";
constexpr UINT_PTR kButtonSubclassId = 1;
constexpr UINT_PTR kTabsSubclassId = 2;

NativeControl* ControlOf(HWND window) {
  return reinterpret_cast<NativeControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Control ids the end-to-end driver knows: Text1 is 1001, Check8 1108, Frame3 1303, ...
constexpr std::pair<const char*, int> kIdBases[] = {{"ProgressBar", 1400}, {"PushButton", 1200}, {"Check", 1100},
                                                    {"Frame", 1300},       {"Label", 1500},       {"Text", 1000},
                                                    {"Chart", 1600},       {"Combo", 1700},       {"Hotkey", 1800},
                                                    {"TabStrip", 1900},    {"Picture", 2000}};

int ControlId(const Control& control) {
  for (const auto& [prefix, base] : kIdBases) {
    const std::string& name = control.Name();
    if (name.rfind(prefix, 0) == 0) return base + std::atoi(name.c_str() + std::strlen(prefix));
  }
  return 0;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Answers assistive technology for an own-drawn control; 0 leaves it to the window's default.
LRESULT AnswerGetObject(NativeControl& self, WPARAM wParam, LPARAM lParam) {
  return self.owner.desktop().accessibility().AnswerGetObject(self.window, wParam, lParam);
}

// A frame, label or progress bar: a window of the program's own class.
struct DrawnControl {
  NativeControl& self;

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(self.window, message, wParam, lParam);
  }
  LRESULT OnPaint() const {
    PaintScope paint(self.window);
    PaintDrawn(self, paint.dc());
    return 0;
  }
  LRESULT OnMouseMove() const {
    self.control.UserMouseMove();
    return 0;
  }
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam) const {
    if (const LRESULT object = AnswerGetObject(self, wParam, lParam)) return object;
    return Default(WM_GETOBJECT, wParam, lParam);
  }
  // A label says it is one: assistive technology names the control after it by its caption.
  LRESULT OnGetDialogCode() const { return self.control.Kind() == ControlKind::Label ? DLGC_STATIC : 0; }
};

LRESULT CALLBACK DrawnControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  NativeControl* self = ControlOf(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  const DrawnControl drawn{*self};
  try {
    switch (message) {
      case WM_PAINT: return drawn.OnPaint();
      case WM_ERASEBKGND: return 1;  // the paint covers every pixel
      case WM_MOUSEMOVE: return drawn.OnMouseMove();
      case WM_GETOBJECT: return drawn.OnGetObject(wParam, lParam);
      case WM_GETDLGCODE: return drawn.OnGetDialogCode();
      // From the controls in a frame.
      case WM_COMMAND:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORBTN:
      case WM_DRAWITEM: return NativeControl::ReflectNotification(window, message, wParam, lParam);
      default: return drawn.Default(message, wParam, lParam);
    }
  } catch (...) {
    // Nothing may leave a window procedure.
    return drawn.Default(message, wParam, lParam);
  }
}

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data);

// A push button: the button class, owner-drawn, with a subclass in front of it that reports the
// pointer to the model, presses on every click and answers assistive technology. The model goes
// before the window does, so the last messages find no control.
struct SubclassedButton {
  HWND window;
  CommonControls& commonControls;

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return commonControls.CallNext(window, message, wParam, lParam);
  }
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) const {
    if (NativeControl* self = ControlOf(window)) self->control.UserMouseMove();
    return Default(WM_MOUSEMOVE, wParam, lParam);
  }
  // An owner-drawn button reports a fast second click only as a double click; press it like
  // the first, as a standard push button does, so that every click counts.
  LRESULT OnDoubleClick(WPARAM wParam, LPARAM lParam) const { return Default(WM_LBUTTONDOWN, wParam, lParam); }
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam) const {
    if (NativeControl* self = ControlOf(window))
      if (const LRESULT object = AnswerGetObject(*self, wParam, lParam)) return object;
    return Default(WM_GETOBJECT, wParam, lParam);
  }
  LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam) const {
    commonControls.RemoveSubclass(window, ButtonSubclassProc, kButtonSubclassId);
    return Default(WM_NCDESTROY, wParam, lParam);
  }
};

LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
  const SubclassedButton button{window, *reinterpret_cast<CommonControls*>(data)};
  try {
    switch (message) {
      case WM_MOUSEMOVE: return button.OnMouseMove(wParam, lParam);
      case WM_LBUTTONDBLCLK: return button.OnDoubleClick(wParam, lParam);
      case WM_GETOBJECT: return button.OnGetObject(wParam, lParam);
      case WM_NCDESTROY: return button.OnNcDestroy(wParam, lParam);
      default: return button.Default(message, wParam, lParam);
    }
  } catch (...) {
    // Nothing may leave a window procedure.
    return button.Default(message, wParam, lParam);
  }
}

// A tab strip: in the dark theme its tabs are painted here; in any other look it is untouched.
LRESULT CALLBACK TabsSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto& commonControls = *reinterpret_cast<CommonControls*>(data);
  NativeControl* self = ControlOf(window);
  try {
    if (message == WM_NCDESTROY) commonControls.RemoveSubclass(window, TabsSubclassProc, kTabsSubclassId);
    if (self && self->owner.colours().Dark()) {
      if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
      if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window, &paint)) {
          PaintDarkTabs(*self, dc);
          EndPaint(window, &paint);
        }
        return 0;
      }
    }
  } catch (...) {
    // Nothing may leave a window procedure.
  }
  return commonControls.CallNext(window, message, wParam, lParam);
}

// The notifications a control sends its parent, as the control handles them.
LRESULT OnCommand(NativeControl& child, UINT code) {
  const ControlKind kind = child.control.Kind();
  if (code == EN_CHANGE && kind == ControlKind::TextBox)
    child.control.UserSetText(Narrow(WindowText(child.window)));
  else if (code == EN_CHANGE && kind == ControlKind::HotkeyBox)
    child.control.UserSetText(HotkeyText(FromHotkeyControl(SendMessageW(child.window, HKM_GETHOTKEY, 0, 0))));
  else if (code == BN_CLICKED && (kind == ControlKind::CheckBox || kind == ControlKind::PushButton))
    child.control.UserClick();
  else if (code == CBN_SELCHANGE && kind == ControlKind::ComboBox)
    child.control.UserChoose(static_cast<int>(SendMessageW(child.window, CB_GETCURSEL, 0, 0)));
  return 0;
}

}  // namespace

LRESULT NativeControl::OnNotify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGE && control.Kind() == ControlKind::TabStrip)
    control.UserChoose(static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0)));
  return 0;
}

namespace {

LRESULT OnControlColour(NativeControl& child, HDC dc) {
  const Colours colours = child.owner.colours();
  const COLORREF back = colours.BackColourOf(child.control);
  SetTextColor(dc, colours.ForeColourOf(child.control));
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(child.owner.BrushFor(back));
}

LRESULT OnDrawItem(NativeControl& child, const DRAWITEMSTRUCT& item) {
  if (child.control.Kind() == ControlKind::ComboBox)
    PaintListEntry(child, item);
  else
    PaintButton(child, item);
  return TRUE;
}

}  // namespace

void NativeControl::RegisterClasses(HINSTANCE instance) {
  for (const wchar_t* name : {kFrameClass, kLabelClass, kProgressClass, kChartClass}) {
    WNDCLASSEXW drawn{};
    drawn.cbSize = sizeof drawn;
    drawn.style = CS_HREDRAW | CS_VREDRAW;
    drawn.lpfnWndProc = DrawnControlProc;
    drawn.hInstance = instance;
    drawn.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    drawn.lpszClassName = name;
    RegisterClassExW(&drawn);
  }
}

LRESULT NativeControl::ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  NativeControl* child = ControlOf(message == WM_DRAWITEM ? item->hwndItem : reinterpret_cast<HWND>(lParam));
  if (!child) return DefWindowProcW(parent, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: return OnCommand(*child, HIWORD(wParam));
    case WM_DRAWITEM: return OnDrawItem(*child, *item);
    default: return OnControlColour(*child, reinterpret_cast<HDC>(wParam));  // WM_CTLCOLOR...
  }
}

NativeControl::NativeControl(FormWindow& owner, Control& control, HWND parent)
    : owner(owner), control(control) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  const wchar_t* className = kFrameClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.Visible() ? WS_VISIBLE : 0) | (control.Enabled() ? 0 : WS_DISABLED);
  DWORD exStyle = 0;
  switch (control.Kind()) {
    case ControlKind::Frame: style |= WS_CLIPCHILDREN; exStyle = WS_EX_CONTROLPARENT; break;
    case ControlKind::Label: className = kLabelClass; break;
    case ControlKind::ProgressBar: className = kProgressClass; break;
    case ControlKind::Chart:
    case ControlKind::Picture: className = kChartClass; break;
    case ControlKind::TextBox:
      className = WC_EDITW;
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::HotkeyBox:
      className = HOTKEY_CLASSW;
      style |= WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::CheckBox: className = WC_BUTTONW; style |= WS_TABSTOP | BS_3STATE; break;
    case ControlKind::PushButton: className = WC_BUTTONW; style |= WS_TABSTOP | BS_OWNERDRAW; break;
    // The pages are its children, drawn over the room below the tabs; a click on a tab focuses it.
    case ControlKind::TabStrip:
      className = WC_TABCONTROLW;
      style |= WS_TABSTOP | WS_CLIPCHILDREN | TCS_FOCUSONBUTTONDOWN;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    // Drawn here, each entry in a font with its characters: a language's own name in any language.
    case ControlKind::ComboBox:
      className = WC_COMBOBOXW;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
  }
  CommonControls& commonControls = owner.desktop().commonControls();
  if (className == std::wstring_view(WC_EDITW) || className == std::wstring_view(WC_BUTTONW) ||
      className == std::wstring_view(WC_COMBOBOXW) || className == std::wstring_view(HOTKEY_CLASSW) ||
      className == std::wstring_view(WC_TABCONTROLW))
    commonControls.Load();
  const PixelRect place = PixelsOf(control.Rect(), owner.Dpi());
  window = CreateWindowExW(exStyle, className, Widen(control.Text()).c_str(), style, place.left, place.top,
                           place.width, place.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (control.Kind() == ControlKind::PushButton) commonControls.Subclass(window, ButtonSubclassProc, kButtonSubclassId);
  if (control.Kind() == ControlKind::TabStrip) commonControls.Subclass(window, TabsSubclassProc, kTabsSubclassId);
  control.Attach(this);
  // Created with its text and visibility; the rest is applied here.
  if (control.Kind() == ControlKind::ComboBox || control.Kind() == ControlKind::TabStrip) ApplyEntries();
  if (control.Kind() == ControlKind::HotkeyBox) {
    // A letter or digit alone would be taken from every program's typing: Ctrl+Alt is added.
    SendMessageW(window, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    ApplyText();
  }
  ApplyValue();
  ApplyLook();
  if (!control.DisabledReason().empty()) ApplyEnabled();
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
  if (control.Kind() == ControlKind::ComboBox) SizeDroppedList();
  owner.Tips().Place(window);
}

void NativeControl::Refresh(ControlChange change) {
  switch (change) {
    case ControlChange::Text: ApplyText(); break;
    case ControlChange::Value:
    case ControlChange::Maximum: ApplyValue(); break;
    case ControlChange::Visible: ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE); break;
    case ControlChange::Enabled: ApplyEnabled(); break;
    case ControlChange::Look: ApplyLook(); break;
    case ControlChange::Place: Place(); break;
    case ControlChange::Drawing: Redraw(nullptr); break;
    case ControlChange::Entries: ApplyEntries(); break;
  }
}

void NativeControl::ApplyEntries() {
  if (control.Kind() == ControlKind::TabStrip) {
    SendMessageW(window, TCM_DELETEALLITEMS, 0, 0);
    for (const std::string& entry : control.Entries()) {
      std::wstring text = Widen(entry);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text.data();
      const auto at = SendMessageW(window, TCM_GETITEMCOUNT, 0, 0);
      SendMessageW(window, TCM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    ApplyValue();
    return;
  }
  SendMessageW(window, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : control.Entries())
    SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  ApplyValue();
  SizeDroppedList();
}

void NativeControl::SizeDroppedList() {
  // Entries as tall as the tallest of their fonts, and the field as tall as an entry.
  int itemHeight = 0;
  HDC dc = GetDC(window);
  for (const std::string& entry : control.Entries()) {
    SelectScope chosen(dc, owner.FontFor(ForText(control.GetFont(), entry)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    itemHeight = std::max(itemHeight, static_cast<int>(metrics.tmHeight) + owner.Px(30));
  }
  ReleaseDC(window, dc);
  if (itemHeight > 0) {
    SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    SendMessageW(window, CB_SETITEMHEIGHT, 0, itemHeight);
  }
  // The window's height is the field's and the dropped list's: room for every entry at the
  // item height, so the list needs no scrolling.
  const PixelRect place = PixelsOf(control.Rect(), owner.Dpi());
  if (itemHeight == 0) itemHeight = static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
  const int entries = std::max(1, static_cast<int>(control.Entries().size()));
  SetWindowPos(window, nullptr, 0, 0, place.width, place.height + entries * itemHeight + owner.Px(30),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  if (control.Kind() == ControlKind::HotkeyBox) {
    const Hotkey key = ParseHotkey(control.Text()).value_or(Hotkey{});
    SendMessageW(window, HKM_SETHOTKEY, ToHotkeyControl(key), 0);
    return;
  }
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
  if (control.Kind() == ControlKind::TabStrip) {
    SendMessageW(window, TCM_SETCURSEL, static_cast<WPARAM>(control.Value()), 0);  // tells no one
  } else if (control.Kind() == ControlKind::ComboBox) {
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(control.Value()), 0);  // -1: none
  } else if (control.Kind() == ControlKind::CheckBox) {
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
  // The tip window is one of the common controls.
  if (!control.DisabledReason().empty()) owner.desktop().commonControls().Load();
  owner.Tips().Set(GetAncestor(window, GA_ROOT), window, control.DisabledReason());
}

}  // namespace rp::win32
