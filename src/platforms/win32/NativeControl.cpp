#include "win32/NativeControl.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/Layout.h"
#include "win32/ControlPainting.h"
#include "win32/FormWindow.h"
#include "win32/Win32Desktop.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kFrameClass[] = L"RespitePrompterFrame";
constexpr wchar_t kLabelClass[] = L"RespitePrompterLabel";
constexpr wchar_t kProgressClass[] = L"RespitePrompterProgressBar";
constexpr UINT_PTR kButtonSubclassId = 1;

NativeControl* ControlOf(HWND window) {
  return reinterpret_cast<NativeControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Control ids the end-to-end driver knows: Text1 is 1001, Check8 1108, Frame3 1303, ...
constexpr std::pair<const char*, int> kIdBases[] = {{"ProgressBar", 1400}, {"PushButton", 1200}, {"Check", 1100},
                                                    {"Frame", 1300},       {"Label", 1500},       {"Text", 1000}};

int ControlId(const Control& control) {
  for (const auto& [prefix, base] : kIdBases) {
    const std::string& name = control.Name();
    if (name.rfind(prefix, 0) == 0) return base + std::atoi(name.c_str() + std::strlen(prefix));
  }
  return 0;
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
        if (const LRESULT object = self->owner.desktop().accessibility().AnswerGetObject(window, wParam, lParam))
          return object;
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
                                    DWORD_PTR data) {
  CommonControls& commonControls = *reinterpret_cast<CommonControls*>(data);
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
      if (NativeControl* self = ControlOf(window))
        if (const LRESULT object = self->owner.desktop().accessibility().AnswerGetObject(window, wParam, lParam))
          return object;
    } catch (...) {
    }
  } else if (message == WM_NCDESTROY) {
    commonControls.RemoveSubclass(window, ButtonSubclassProc, kButtonSubclassId);
  }
  return commonControls.CallNext(window, message, wParam, lParam);
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

}  // namespace

void RegisterControlClasses(HINSTANCE instance) {
  for (const wchar_t* name : {kFrameClass, kLabelClass, kProgressClass}) RegisterDrawnClass(instance, name);
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
  CommonControls& commonControls = owner.desktop().commonControls();
  if (className == std::wstring_view(WC_EDITW) || className == std::wstring_view(WC_BUTTONW)) commonControls.Load();
  const PixelRect place = PixelsOf(control.Rect(), owner.Dpi());
  window = CreateWindowExW(exStyle, className, Widen(control.Text()).c_str(), style, place.left, place.top,
                           place.width, place.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (control.Kind() == ControlKind::PushButton) commonControls.Subclass(window, ButtonSubclassProc, kButtonSubclassId);
  control.Attach(this);
  // Created with its text and visibility; the rest is applied here.
  ApplyValue();
  ApplyLook();
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
}

void NativeControl::Refresh(ControlChange change) {
  switch (change) {
    case ControlChange::Text: ApplyText(); break;
    case ControlChange::Value:
    case ControlChange::Maximum: ApplyValue(); break;
    case ControlChange::Visible: ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE); break;
    case ControlChange::Look: ApplyLook(); break;
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

}  // namespace rp::win32
