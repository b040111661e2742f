/* The least a Windows program with a window, a tray icon and a one-second timer can cost:
 * scripts/bench runs it beside RespitePrompter.exe and compares the two. One window with one
 * label, one tray icon, and a timer that rewrites the label's text every second.
 * "/tray" starts it with the window hidden: only the icon shows.
 * Built by scripts/bench for each architecture: x86_64- or i686-w64-mingw32-gcc -O2 -municode
 * -mwindows -static -s. */
#include <windows.h>
#include <shellapi.h>
#include <wchar.h>

#define TRAY_CALLBACK (WM_APP + 1)

static HWND label;
static unsigned ticks;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: {
      wchar_t text[64];
      const unsigned left = 45 * 60 - ++ticks % (45 * 60);
      swprintf(text, 64, L"Next tick in %02u:%02u:%02u", left / 3600, left % 3600 / 60, left % 60);
      SetWindowTextW(label, text);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  (void)previous, (void)show;
  WNDCLASSEXW windowClass = {sizeof windowClass};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"BareReference";
  RegisterClassExW(&windowClass);
  /* Top right, clear of the program's window in the middle of the screen. */
  HWND window = CreateWindowExW(0, L"BareReference", L"Bare Reference", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                WS_MINIMIZEBOX, 860, 40, 400, 200, NULL, NULL, instance, NULL);
  label = CreateWindowExW(0, L"STATIC", L"Next tick in 00:45:00", WS_CHILD | WS_VISIBLE, 16, 16, 360, 24,
                          window, NULL, instance, NULL);

  NOTIFYICONDATAW icon = {sizeof icon};
  icon.hWnd = window;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  icon.uCallbackMessage = TRAY_CALLBACK;
  icon.hIcon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
  wcscpy(icon.szTip, L"Bare Reference");
  Shell_NotifyIconW(NIM_ADD, &icon);

  SetTimer(window, 1, 1000, NULL);
  if (wcsstr(commandLine, L"/tray") == NULL) ShowWindow(window, SW_SHOWNORMAL);

  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Shell_NotifyIconW(NIM_DELETE, &icon);
  return 0;
}
