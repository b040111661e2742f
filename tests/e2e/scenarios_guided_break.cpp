// The guided break, worked from outside: with "Break Length" at 1 a break opens a window that
// covers the screen and counts down, and its buttons postpone or skip it within the day's budget.
// Wine has one monitor; several are tested on the simulated desktop.
#include "e2e.h"

#include <cstdio>

using namespace e2e;

namespace {

constexpr char kBreakTimeClass[] = "RespitePrompterFormBreak";

// Controls of the break window.
namespace brk {
constexpr int Heading = 1501, SkipsLeft = 1503, TimeLeft = 1401, Postpone = 1201, Skip = 1202;
}  // namespace brk

// Reminding on with no reminder but the guided break, which comes at the first tick.
void remindWithAGuidedBreakOf(const std::string& minutes) {
    settings::storeReminding({.minutes = "0"});
    settings::set("Break Length", minutes);
}

HWND waitForBreakTime(const App& app) {
    return waitForWindow({"Break Time", kBreakTimeClass, app.pid(), true}, 5s);
}

// The local date as the program stores it with the skips used.
std::string today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char date[16];
    std::snprintf(date, sizeof date, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return date;
}

}  // namespace

E2E_SCENARIO(guided_break_covers_the_screen_and_postpones) {
    remindWithAGuidedBreakOf("1");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND frame1 = child(main, id::Frame1);
    HWND window = waitForBreakTime(app);
    E2E_REQUIRE(window != nullptr);
    RECT rect{}, work{};
    GetWindowRect(window, &rect);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    E2E_CHECK(EqualRect(&rect, &work));
    E2E_CHECK((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    E2E_CHECK_EQ(text(child(window, brk::Heading)), "Time for a break");
    E2E_CHECK_EQ(text(child(window, brk::SkipsLeft)), "3 skips left today");
    HWND timeLeft = child(window, brk::TimeLeft);
    E2E_CHECK(waitUntil([&] { return text(timeLeft) == "00:58"; }, 4s));
    E2E_CHECK(contains(text(frame1), "Break: 00:5"));

    // Esc, a close from the taskbar and Alt+F4's close command leave it up.
    post(window, WM_KEYDOWN, VK_ESCAPE);
    post(window, WM_CLOSE);
    post(window, WM_SYSCOMMAND, SC_CLOSE);
    Sleep(300);
    E2E_CHECK(IsWindowVisible(window));

    click(child(window, brk::Postpone));
    E2E_CHECK(waitForWindowGone(window, 3s));
    E2E_CHECK(waitUntil([&] { return contains(text(frame1), "Break postponed: 04:5"); }, 3s));
    E2E_CHECK_EQ(settings::get("Skips Used"), today() + " 1");
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}

E2E_SCENARIO(skip_break_starts_a_fresh_period) {
    remindWithAGuidedBreakOf("1");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND window = waitForBreakTime(app);
    E2E_REQUIRE(window != nullptr);
    setText(child(main, id::Text1), "1");  // the next period lasts a minute
    click(child(window, brk::Skip));
    E2E_CHECK(waitForWindowGone(window, 3s));
    E2E_CHECK(waitUntil([&] { return contains(text(child(main, id::Frame1)), std::string(ui::kNextBreak) + "00:00:5"); },
                        3s));
    E2E_CHECK_EQ(settings::get("Skips Used"), today() + " 1");
}

E2E_SCENARIO(guided_break_closes_itself_after_a_minute) {
    remindWithAGuidedBreakOf("1");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND window = waitForBreakTime(app);
    E2E_REQUIRE(window != nullptr);
    setText(child(main, id::Text1), "45");
    note("a minute's break");
    E2E_CHECK(waitForWindowGone(window, 65s));
    E2E_CHECK(waitUntil([&] { return contains(text(child(main, id::Frame1)), std::string(ui::kNextBreak) + "00:44:5"); },
                        3s));
    E2E_CHECK(!settings::get("Skips Used"));
}

// A warning 58 seconds before the break of a one-minute period: it rises two seconds in
// without taking the focus from the main window, and "Start Now" opens the break at once.
E2E_SCENARIO(warning_before_a_break_leaves_the_focus_and_starts_it_now) {
    settings::storeReminding({.minutes = "1"});
    settings::set("Break Length", "1");
    settings::set("Warn Before Break", "58");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    SetForegroundWindow(main);
    HWND warning = waitForWindow({"Break Soon", "RespitePrompterFormWarning", app.pid(), true}, 6s);
    E2E_REQUIRE(warning != nullptr);
    E2E_CHECK((GetWindowLongW(warning, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    E2E_CHECK(GetForegroundWindow() != warning);
    E2E_CHECK(contains(text(child(warning, 1501)), "Break in 0:5"));
    E2E_CHECK_EQ(text(child(warning, 1201)), "Start Now");
    E2E_CHECK(contains(text(child(main, id::Frame1)), "Next break will occur in 00:00:5"));
    click(child(warning, 1201));
    E2E_CHECK(waitForBreakTime(app) != nullptr);
    E2E_CHECK(waitForWindowGone(warning, 3s));
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}
