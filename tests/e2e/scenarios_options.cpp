// The Options window and what its choices turn on, worked from outside: the window reached
// from the system menu, natural breaks by real idleness, the time left in the tray tip.
#include "e2e.h"

#include <commctrl.h>

using namespace e2e;

namespace {

constexpr char kAway[] = "Away from the computer: the break is being taken";
constexpr char kTipPrefix[] = "Periodic Respite Prompter Utility - ";
const char* const kOptionNames[] = {"Natural Breaks", "Away Minutes", "Hold Reminders", "Tip Shows Time Left"};

// Controls of the Options window.
namespace opt {
constexpr int NaturalBreaks = 1101, AwayMinutes = 1001, HoldReminders = 1102, TipShowsTimeLeft = 1103;
constexpr int Ok = 1201, Cancel = 1202, Language = 1701;
constexpr int Tabs = 1901, Label1 = 1501, TrayMenu = 1104, KeepStatistics = 1109, BreakNowKey = 1830;
}  // namespace opt

// The program started with reminding off, and its Options window up.
struct OptionsUp {
    App app;
    HWND main, window;
};
OptionsUp startWithOptions(Context& ctx) {
    settings::storeReminding({.minutes = "45", .on = false});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    return {std::move(app), main, window};
}

// Moves the pointer as a hand on the mouse would: Wine warps the X pointer, and the motion
// that reaches the program's window is input (Wine counts no other). xdotool started from the
// driver would do the same, but under Wine 8 here starting it ended the program under test.
void movePointer(int x, int y) { E2E_REQUIRE(SetCursorPos(x, y)); }

// A point on the main window's Frame1, `dx` pixels in.
void pointAtFrame1(HWND main, int dx) {
    RECT r{};
    GetWindowRect(child(main, id::Frame1), &r);
    movePointer(r.left + 20 + dx, r.top + 30);
}

}  // namespace

E2E_SCENARIO(options_window_stores_its_choices_and_cancels_cleanly) {
    settings::storeReminding({.minutes = "45", .on = false});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    for (const char* name : kOptionNames) E2E_CHECK(!settings::get(name));  // nothing new at start

    HWND window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    E2E_CHECK(!enabled(main));
    E2E_CHECK_EQ(text(child(window, opt::NaturalBreaks)), "Time away from the computer counts as a break");
    E2E_CHECK_EQ(text(child(window, opt::HoldReminders)),
                 "Hold reminders during presentations, full-screen programs and calls");
    E2E_CHECK_EQ(text(child(window, opt::TipShowsTimeLeft)), "Show the time to the next break in the tray tip");
    E2E_CHECK_EQ(text(child(window, opt::AwayMinutes)), "5");
    click(child(window, opt::NaturalBreaks));
    setText(child(window, opt::AwayMinutes), "1");
    click(child(window, opt::TipShowsTimeLeft));
    postClick(child(window, opt::Ok));
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(waitUntil([&] { return enabled(main); }, 2s));
    // The choices are stored once the modal wait has ended, a moment after the window went.
    E2E_CHECK(waitUntil([] { return settings::get("Natural Breaks") == "On"; }, 2s));
    E2E_CHECK_EQ(settings::get("Away Minutes"), "1");
    E2E_CHECK_EQ(settings::get("Tip Shows Time Left"), "On");
    E2E_CHECK(!settings::get("Hold Reminders"));

    // Cancel, and Esc, leave the store as it was.
    window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    E2E_CHECK(checked(child(window, opt::NaturalBreaks)));
    click(child(window, opt::HoldReminders));
    postClick(child(window, opt::Cancel));
    E2E_CHECK(waitForWindowGone(window));
    window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    click(child(window, opt::HoldReminders));
    post(window, WM_KEYDOWN, VK_ESCAPE);
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(!settings::get("Hold Reminders"));
    E2E_CHECK(waitUntil([&] { return enabled(main); }, 2s));
    E2E_CHECK_EQ(text(child(main, id::Frame1)), "Stopped.");
}

E2E_SCENARIO(natural_breaks_start_a_fresh_period_after_a_minute_away) {
    settings::storeReminding({.minutes = "45", .audio = true});
    settings::set("Natural Breaks", "On");
    settings::set("Away Minutes", "1");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND frame1 = child(main, id::Frame1);

    pointAtFrame1(main, 0);  // the user is at the computer
    E2E_CHECK(waitUntil([&] { return contains(text(frame1), ui::kNextBreak); }, 3s));
    note("no input for a minute");
    E2E_REQUIRE(waitUntil([&] { return text(frame1) == kAway; }, 65s));

    pointAtFrame1(main, 40);  // back
    E2E_CHECK(waitUntil([&] { return contains(text(frame1), std::string(ui::kNextBreak) + "00:44:5"); }, 3s));
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}

E2E_SCENARIO(tray_tip_tells_the_time_to_the_next_break) {
    settings::storeReminding({.minutes = "45", .audio = true});
    settings::set("Tip Shows Time Left", "On");
    App app = App::start(ctx);
    app.mainWindow();

    // Wine's tray gives every icon a tooltip of its own whose one tool holds the icon's tip.
    // It is read from the tray's memory rather than by hovering, which a busy display delays.
    // Icons of copies that ended a moment ago may still be there, with their own tips.
    const std::string expected = std::string(kTipPrefix) + "next break in 45 min";
    std::string seen;
    const bool shown = waitUntil(
        [&] {
            for (HWND hwnd : findWindows({std::nullopt, "tooltips_class32", 0, false})) {
                for (const std::string& candidate : toolTexts(hwnd)) {
                    if (candidate == expected) return true;
                    if (contains(candidate, kTipPrefix)) seen += "\"" + candidate + "\" ";
                }
            }
            return false;
        },
        5s);
    if (!shown) note("tips seen instead: " + seen);
    E2E_CHECK(shown);
}

// The language list worked from the keyboard: Esc closes the open list and leaves the window up,
// the arrow keys choose, and Enter on the list presses OK.
E2E_SCENARIO(options_language_is_chosen_from_the_keyboard) {
    auto [app, main, window] = startWithOptions(ctx);
    HWND list = child(window, opt::Language);
    E2E_REQUIRE(list != nullptr);
    // Its page is the last: Ctrl+Shift+Tab goes round to it and puts the focus on the list.
    clickOn(child(window, opt::Label1));
    pressKeys("ctrl+shift+Tab");
    E2E_REQUIRE(waitUntil([&] { return visible(list); }, 3s));
    E2E_CHECK_EQ(text(list), "English");
    E2E_CHECK_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 12);

    SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    post(list, WM_KEYDOWN, VK_ESCAPE);
    E2E_CHECK(waitUntil([&] { return !SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0); }, 2s));
    E2E_CHECK(IsWindow(window));

    post(list, WM_KEYDOWN, VK_DOWN);  // Windows display language
    post(list, WM_KEYDOWN, VK_DOWN);  // Deutsch
    E2E_CHECK(waitUntil([&] { return text(list) == "Deutsch"; }, 2s));
    post(list, WM_KEYDOWN, VK_RETURN);
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(waitUntil([] { return settings::get("Language") == "de"; }, 2s));
    // The open window speaks German at once.
    E2E_CHECK(waitUntil([&] { return text(child(main, id::Frame1)) == "Erinnerungen beendet."; }, 2s));
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Erinnerungen starten");
    E2E_CHECK_EQ(text(child(main, id::Check1)), "Tonsignal");
}

namespace {

// The window's outer height at `dpi` as Windows frames it there (Wine draws the frame at the
// system's scale): the client area the layout gives plus the caption and border at that scale.
int outerHeightAt(const App& app, HWND window, int dpi) {
    changeScale(app, window, dpi, RECT{0, 0, 600, 400});
    RECT client{};
    GetClientRect(window, &client);
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<Adjust>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    E2E_REQUIRE(adjust != nullptr);
    RECT outer = client;
    adjust(&outer, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), static_cast<UINT>(dpi));
    note(std::to_string(dpi) + " dpi: client " + std::to_string(client.right) + " x " + std::to_string(client.bottom) +
         " px, outer " + std::to_string(outer.right - outer.left) + " x " + std::to_string(outer.bottom - outer.top) +
         " px");
    return outer.bottom - outer.top;
}

}  // namespace

// The pages reached from the keyboard as in any Windows dialog: Ctrl+Tab and Ctrl+PageDown
// forward, Ctrl+Shift+Tab and Ctrl+PageUp back, round at either end, the focus on the new page's
// first field. Then its height on a 1366 x 768 screen at 150 percent and a 1280 x 720 one at 125
// percent, less the taskbar (48 pixels at 100 percent).
E2E_SCENARIO(options_tabs_change_from_the_keyboard_and_fit_small_screens) {
    auto [app, main, window] = startWithOptions(ctx);
    HWND tabs = child(window, opt::Tabs);
    E2E_CHECK_EQ(className(tabs), "SysTabControl32");
    E2E_CHECK_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 7);
    E2E_CHECK_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    const int pageFields[] = {opt::NaturalBreaks, opt::TrayMenu, 1020, opt::KeepStatistics, opt::BreakNowKey,
                              1050, opt::Language};
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    clickOn(child(window, opt::Label1));  // the keyboard's focus to the window
    const struct {
        const char* keys;
        int tab;
    } steps[] = {
        {"ctrl+Tab", 1},  {"ctrl+Tab", 2},       {"ctrl+Next", 3},
        {"ctrl+Tab", 4},
        {"ctrl+Next", 4},  // in a key box Ctrl+PageDown is a key for the box
        {"ctrl+shift+Tab", 3}, {"ctrl+Prior", 2}, {"ctrl+shift+Tab", 1}, {"ctrl+shift+Tab", 0},
        {"ctrl+shift+Tab", 6},  // round the end
        {"ctrl+Next", 0},  {"ctrl+Prior", 6},
    };
    for (const auto& step : steps) {
        pressKeys(step.keys);
        E2E_CHECK(waitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == step.tab; }, 3s));
        for (int tab = 0; tab < 7; ++tab) E2E_CHECK_EQ(visible(child(window, pageFields[tab])), tab == step.tab);
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        E2E_CHECK(waitUntil([&] {
            return GetGUIThreadInfo(thread, &focus) && focus.hwndFocus == child(window, pageFields[step.tab]);
        }, 2s));
    }
    E2E_CHECK(outerHeightAt(app, window, 144) <= 768 - 72);
    E2E_CHECK(outerHeightAt(app, window, 120) <= 720 - 60);
    post(window, WM_KEYDOWN, VK_ESCAPE);
    E2E_CHECK(waitForWindowGone(window));
}
