// The main window on a monitor of another scale. Wine gives every monitor the system's dots per
// inch and never sends WM_DPICHANGED itself, so the driver sends it as Windows does when the
// window moves to a monitor of 144 dpi, or the scale changes to 192 dpi while the window is in
// the tray: the new dots per inch, and the suggested outer rectangle in the program's memory.
#include "e2e.h"

using namespace e2e;

namespace {

// Sizes as "width x height" in pixels.
std::string clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return std::to_string(client.right) + " x " + std::to_string(client.bottom);
}

std::string windowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

}  // namespace

E2E_SCENARIO(main_window_lays_out_anew_when_its_scale_changes) {
    settings::storeReminding({.minutes = "20", .audio = true, .on = false});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    E2E_REQUIRE_EQ(clientSize(main), "536 x 363");  // 8040 x 5445 twips at 96 dpi
    E2E_REQUIRE_EQ(windowSize(child(main, id::PushButton3)), "520 x 27");

    const RECT suggested{40, 30, 40 + 900, 30 + 600};  // its size is the program's to choose
    changeScale(app, main, 144, suggested);

    // The layout's twips at 144 dpi, at the suggested place.
    E2E_CHECK_EQ(clientSize(main), "804 x 545");
    E2E_CHECK_EQ(windowSize(child(main, id::PushButton3)), "780 x 41");
    E2E_CHECK_EQ(windowSize(child(main, id::ProgressBar1)), "732 x 41");
    E2E_CHECK_EQ(windowSize(child(main, id::Check4)), "393 x 29");
    RECT placed{};
    GetWindowRect(main, &placed);
    E2E_CHECK_EQ(placed.left, suggested.left);
    E2E_CHECK_EQ(placed.top, suggested.top);
    // Still working: the button starts reminding.
    click(child(main, id::PushButton3));
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");

    // Minimised into the tray when the scale changes, it has its size at 192 dpi once back.
    minimise(main);
    changeScale(app, main, 192, suggested);
    post(trayWindow(main), ui::kTrayCallback, 0, WM_LBUTTONUP);
    E2E_REQUIRE(waitUntil([&] { return visible(main) && !IsIconic(main); }));
    // It takes that size just after the restore.
    waitUntil([&] { return clientSize(main) == "1072 x 726"; }, 2s);
    E2E_CHECK_EQ(clientSize(main), "1072 x 726");
    E2E_CHECK_EQ(windowSize(child(main, id::PushButton3)), "1040 x 54");
}
