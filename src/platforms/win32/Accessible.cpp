#include "win32/Accessible.h"

#include <oleacc.h>

#include <string>

#include "runtime/Layout.h"
#include "win32/NativeControl.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);

}  // namespace

// What the accessible objects need of oleacc and of the COM libraries it brings.
struct AccessibilityLibrary {
  SystemLibrary oleacc{L"oleacc.dll"}, oleaut32{L"oleaut32.dll"};
  LresultFromObjectFn lresultFromObject = nullptr;
  CreateStdAccessibleObjectFn createStandardObject = nullptr;
  SysAllocStringFn allocString = nullptr;
};

namespace {

constexpr wchar_t kPress[] = L"press";

// The role of each own-drawn control that answers for itself; 0 for the others.
long RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::ProgressBar: return ROLE_SYSTEM_PROGRESSBAR;
    case ControlKind::Label: return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::Chart: return ROLE_SYSTEM_CHART;
    case ControlKind::Picture: return ROLE_SYSTEM_GRAPHIC;
    default: return 0;
  }
}

// An own-drawn push button, progress bar, label or chart as assistive technology sees it: role, name, value and
// default action of its own, everything else (place, state, parent, focus) from the standard
// object that Windows makes for the window. The object may outlive the control; it then fails.
class AccessibleControl final : public IAccessible {
 public:
  AccessibleControl(HWND window, ControlKind kind, IAccessible* standard, const AccessibilityLibrary& library)
      : window_(window), kind_(kind), standard_(standard), library_(library) {}
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(IDispatch)) ||
        IsEqualIID(id, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: no type information; clients call the IAccessible members directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: what the control is.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const NativeControl* control = ControlFor(child);
    if (!control) return E_INVALIDARG;
    return Answer(Widen(control->control.Text()), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    const NativeControl* control = ControlFor(child);
    if (!control) return E_INVALIDARG;
    if (kind_ != ControlKind::ProgressBar) return DISP_E_MEMBERNOTFOUND;
    return Answer(Widen(std::to_string(FilledPercent(control->control.Value(), control->control.Max())) + "%"), value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!ControlFor(child)) return E_INVALIDARG;
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = RoleOf(kind_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!ControlFor(child)) return E_INVALIDARG;
    if (kind_ != ControlKind::PushButton) return DISP_E_MEMBERNOTFOUND;
    return Answer(kPress, action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!ControlFor(child)) return E_INVALIDARG;
    if (kind_ != ControlKind::PushButton) return DISP_E_MEMBERNOTFOUND;
    // A window disabled behind a modal one takes no press, as it takes no key.
    if (!IsWindowEnabled(GetAncestor(window_, GA_ROOT))) return E_FAIL;
    // Posted: the click may open a dialog, which must not hold the client's call.
    return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IAccessible: the rest is the window's, as Windows tells it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }

 private:
  ~AccessibleControl() = default;

  // The control when `child` means the object itself and the control still exists.
  const NativeControl* ControlFor(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return nullptr;
    return NativeControl::FromWindow(window_);
  }
  HRESULT Answer(const std::wstring& text, BSTR* out) const {
    if (!out) return E_POINTER;
    *out = library_.allocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  LONG references_ = 1;
  HWND window_;
  ControlKind kind_;
  IAccessible* standard_;
  const AccessibilityLibrary& library_;
};

}  // namespace

Accessibility::Accessibility(ComApartment& com) : com_(com) {}

Accessibility::~Accessibility() = default;

// Loaded on the first request, with COM on this thread, whose messages carry the clients' calls.
const AccessibilityLibrary* Accessibility::Load() {
  if (!library_) {
    library_ = std::make_unique<AccessibilityLibrary>();
    if (com_.Start()) {
      library_->lresultFromObject = library_->oleacc.Find<LresultFromObjectFn>("LresultFromObject");
      library_->createStandardObject =
          library_->oleacc.Find<CreateStdAccessibleObjectFn>("CreateStdAccessibleObject");
      library_->allocString = library_->oleaut32.Find<SysAllocStringFn>("SysAllocString");
    }
  }
  const AccessibilityLibrary& library = *library_;
  const bool usable = library.lresultFromObject && library.createStandardObject && library.allocString;
  return usable ? &library : nullptr;
}

LRESULT Accessibility::AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  const NativeControl* control = NativeControl::FromWindow(window);
  if (!control) return 0;
  const ControlKind kind = control->control.Kind();
  if (RoleOf(kind) == 0) return 0;
  const AccessibilityLibrary* library = Load();
  if (!library) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(library->createStandardObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&standard))))
    return 0;
  auto* object = new AccessibleControl(window, kind, standard, *library);
  const LRESULT result = library->lresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();  // the reference handed over is the client's now
  return result > 0 ? result : 0;
}

}  // namespace rp::win32
