#pragma once
#include <windows.h>

namespace rp::win32 {

// Answers WM_GETOBJECT for the client area of an own-drawn push button, progress bar, label or
// chart with an
// accessible object that tells assistive technology what the control is; 0, to let the window
// give its default answer, for any other request or where accessibility is unavailable. The
// accessibility library is loaded on the first request, so start-up maps nothing for it.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace rp::win32
