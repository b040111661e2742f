#pragma once
#include <windows.h>

#include <utility>

namespace rp::win32 {

// A move-only owner of one Win32 handle. Traits give the handle type, its empty value and
// how to free it.
template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Traits::Empty()));
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }
  void reset(Handle handle = Traits::Empty()) {
    if (handle_ != Traits::Empty()) Traits::Close(handle_);
    handle_ = handle;
  }
  Handle release() { return std::exchange(handle_, Traits::Empty()); }

 private:
  Handle handle_ = Traits::Empty();
};

template <class H, void (*CloseFn)(H)>
struct NullEmpty {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { CloseFn(handle); }
};

template <void (*CloseFn)(HANDLE)>
struct InvalidEmpty {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseFn(handle); }
};

inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void DeleteFont(HFONT font) { DeleteObject(font); }
inline void DeleteBrush(HBRUSH brush) { DeleteObject(brush); }
inline void DeletePen(HPEN pen) { DeleteObject(pen); }
inline void DeleteBitmap(HBITMAP bitmap) { DeleteObject(bitmap); }
inline void CloseFind(HANDLE find) { FindClose(find); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyCursorHandle(HCURSOR cursor) { DestroyCursor(cursor); }
inline void FreeLibraryHandle(HMODULE library) { FreeLibrary(library); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }

using UniqueKey = UniqueHandle<NullEmpty<HKEY, CloseKey>>;
using UniqueFont = UniqueHandle<NullEmpty<HFONT, DeleteFont>>;
using UniqueBrush = UniqueHandle<NullEmpty<HBRUSH, DeleteBrush>>;
using UniquePen = UniqueHandle<NullEmpty<HPEN, DeletePen>>;
using UniqueBitmap = UniqueHandle<NullEmpty<HBITMAP, DeleteBitmap>>;
using UniqueWindow = UniqueHandle<NullEmpty<HWND, DestroyWindowHandle>>;
// Only for an icon or cursor the program made or loaded from a file: a shared one (LoadIcon,
// LR_SHARED) belongs to the system and is never destroyed.
using UniqueIcon = UniqueHandle<NullEmpty<HICON, DestroyIconHandle>>;
using UniqueCursor = UniqueHandle<NullEmpty<HCURSOR, DestroyCursorHandle>>;
using UniqueModule = UniqueHandle<NullEmpty<HMODULE, FreeLibraryHandle>>;
using UniqueMenu = UniqueHandle<NullEmpty<HMENU, DestroyMenuHandle>>;  // with its submenus
using UniqueFind = UniqueHandle<InvalidEmpty<CloseFind>>;
using UniqueFile = UniqueHandle<InvalidEmpty<CloseKernelHandle>>;
using UniqueObject = UniqueHandle<NullEmpty<HANDLE, CloseKernelHandle>>;

// Scoped BeginPaint/EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Scoped GetDC/ReleaseDC: a window's device context for drawing outside WM_PAINT (null: the
// screen's).
class WindowDcScope {
 public:
  explicit WindowDcScope(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDcScope() { ReleaseDC(window_, dc_); }
  WindowDcScope(const WindowDcScope&) = delete;
  WindowDcScope& operator=(const WindowDcScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Scoped SelectObject.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectScope() { SelectObject(dc_, old_); }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window that is never shown, of a class of its own, whose procedure finds `owner` in the
// window's user data: a message-only window (parent HWND_MESSAGE) or a hidden top-level one
// (parent null), which also hears broadcasts.
inline UniqueWindow CreateHiddenWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                                       HWND parent, DWORD exStyle, DWORD style, void* owner) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
  UniqueWindow window(CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr, instance, owner));
  if (window) SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return window;
}

}  // namespace rp::win32
