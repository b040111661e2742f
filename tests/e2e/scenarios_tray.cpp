// The tray: minimising hides the window, the icon's callback brings it back, the icon
// survives a restarting shell, and a break shows its balloon.
#include "e2e.h"

#include <shellapi.h>

using namespace e2e;

namespace {

// Shell_NotifyIconA about the icon (window, id 0) with nothing else in the record. shell32 is
// loaded here so that the driver's link line needs nothing more.
BOOL notifyIcon(DWORD message, HWND tray) {
    using NotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    FARPROC proc = GetProcAddress(LoadLibraryW(L"shell32.dll"), "Shell_NotifyIconA");
    auto notify = reinterpret_cast<NotifyIcon>(reinterpret_cast<void*>(proc));
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = tray;
    return notify(message, &data);
}

// An empty change succeeds only while the shell knows the icon.
bool iconInTray(HWND tray) { return notifyIcon(NIM_MODIFY, tray) != FALSE; }

int visibleBalloons(DWORD exceptPid) { return static_cast<int>(shellBalloons(exceptPid).size()); }


bool shownNormal(HWND main) { return visible(main) && !IsIconic(main) && !IsZoomed(main); }

// A mouse button released on the icon must bring the window back, in its normal state.
void releaseOnIcon(HWND tray, HWND main, UINT buttonUp) {
    post(tray, ui::kTrayCallback, 0, buttonUp);
    E2E_CHECK(waitUntil([&] { return shownNormal(main); }, 2s));
}

}  // namespace

E2E_SCENARIO(tray_minimise_hides_and_a_click_on_the_icon_restores) {
    settings::clear();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND tray = trayWindow(main);
    E2E_CHECK(!visible(tray));
    E2E_CHECK(iconInTray(tray));

    minimise(main);
    // The program is still inside its five-second notice when the click comes.
    releaseOnIcon(tray, main, WM_LBUTTONUP);
    // The second time: no notice, and the right button works as well.
    minimise(main);
    releaseOnIcon(tray, main, WM_RBUTTONUP);
    E2E_CHECK(iconInTray(tray));
}

E2E_SCENARIO(tray_pressing_a_button_alone_does_not_restore) {
    settings::clear();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND tray = trayWindow(main);
    minimise(main);
    post(tray, ui::kTrayCallback, 0, WM_LBUTTONDOWN);
    post(tray, ui::kTrayCallback, 0, WM_MOUSEMOVE);
    post(tray, ui::kTrayCallback, 0, WM_MBUTTONUP);
    E2E_CHECK(!waitUntil([&] { return visible(main); }, 1s));
}

E2E_SCENARIO(tray_maximised_window_comes_back_normal) {
    settings::clear();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND tray = trayWindow(main);
    ShowWindow(main, SW_MAXIMIZE);
    E2E_REQUIRE(waitUntil([&] { return IsZoomed(main) != FALSE; }));
    minimise(main);
    releaseOnIcon(tray, main, WM_LBUTTONUP);
}

E2E_SCENARIO(tray_both_startup_options_start_in_the_tray) {
    settings::clear();
    settings::set("Windows Startup", "On");
    settings::set("Minimized", "On");
    E2E_REQUIRE(waitUntil([] { return visibleBalloons(0) == 0; }, 15s));
    App app = App::start(ctx);
    HWND main = anyMainWindow(app);
    E2E_REQUIRE(main != nullptr);
    HWND tray = trayWindow(main);
    E2E_CHECK(waitUntil([&] { return iconInTray(tray); }));
    // The window opens minimised and goes straight into the tray with the notice.
    E2E_CHECK(waitUntil([&] { return visibleBalloons(app.pid()) == 1; }));
    E2E_CHECK(!visible(main));
    releaseOnIcon(tray, main, WM_LBUTTONUP);
}

// Mended: the icon is added again when the shell says it restarted ("TaskbarCreated").
E2E_SCENARIO(tray_icon_comes_back_when_the_shell_restarts) {
    settings::clear();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND tray = trayWindow(main);
    minimise(main);
    notifyIcon(NIM_DELETE, tray);  // the shell forgot it
    E2E_REQUIRE(!iconInTray(tray));
    post(main, RegisterWindowMessageW(L"TaskbarCreated"));
    E2E_CHECK(waitUntil([&] { return iconInTray(tray); }));
    releaseOnIcon(tray, main, WM_LBUTTONUP);
}

E2E_SCENARIO(tray_break_with_the_balloon_reminder_shows_the_balloon) {
    settings::storeReminding({.minutes = "0", .balloon = true});  // a break on every tick
    // Wine keeps a balloon about ten seconds, also one of an earlier scenario's program.
    E2E_REQUIRE(waitUntil([] { return visibleBalloons(0) == 0; }, 15s));
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    E2E_CHECK(iconInTray(trayWindow(main)));
    // Wine shows a balloon about two seconds after it is asked to.
    E2E_CHECK(waitUntil([&] { return visibleBalloons(app.pid()) == 1; }));

    // The program waits up to 30 seconds for the balloon, and events still flow meanwhile:
    // a close ends it at once.
    E2E_CHECK(app.close(3s).has_value());
}
