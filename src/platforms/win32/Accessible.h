#pragma once
#include <windows.h>

#include <memory>

namespace rp::win32 {

class ComApartment;
struct AccessibilityLibrary;

// Tells assistive technology what the own-drawn push buttons and the progress bar are. The
// accessibility library is loaded, with COM, on the first request, so start-up maps nothing for it.
class Accessibility {
 public:
  explicit Accessibility(ComApartment& com);
  ~Accessibility();
  Accessibility(const Accessibility&) = delete;
  Accessibility& operator=(const Accessibility&) = delete;

  // Answers WM_GETOBJECT for the client area of such a control with an accessible object of its
  // own; 0, to let the window give its default answer, for any other request or where
  // accessibility is unavailable.
  LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

 private:
  // Null while the library or COM is unavailable.
  const AccessibilityLibrary* Load();

  ComApartment& com_;
  std::unique_ptr<AccessibilityLibrary> library_;  // made at the first request
};

}  // namespace rp::win32
