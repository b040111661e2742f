// The tray icon's menu and the command line, worked from outside: the menu opens on a right
// click only with its option on, and its entries open the window, pause, resume, take a break
// and exit; a second start with a command hands it to the running copy, and a command line that
// is not understood is refused. Which entries there are and when they are greyed, and what a
// pause does over time, are tested on the simulated desktop.
#include "e2e.h"

#include <cstdio>
#include <initializer_list>

using namespace e2e;

namespace {

constexpr char kMenuClass[] = "#32768";
constexpr char kPaused[] = "Reminders paused until ";

std::vector<HWND> openMenus(const App& app) { return findWindows({std::nullopt, kMenuClass, app.pid(), true}); }

// A right click on the icon, as the shell reports it; the menu that opens, or nullptr.
HWND rightClickIcon(const App& app, HWND tray, Duration timeout = 3s) {
    post(tray, ui::kTrayCallback, 0, WM_RBUTTONDOWN);
    post(tray, ui::kTrayCallback, 0, WM_RBUTTONUP);
    return waitForWindow({std::nullopt, kMenuClass, app.pid(), true}, timeout);
}

// Works the open menu with the keyboard. The menu takes every key of its thread, whichever of
// its windows the key is posted to; it must be gone afterwards.
void pressInMenu(const App& app, HWND menu, std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) post(menu, WM_KEYDOWN, key);
    E2E_CHECK(waitUntil([&] { return openMenus(app).empty(); }, 3s));
}

// From the top of the menu: Open, Take a Break Now, Pause Reminders, Resume Reminders, the
// main button's command, Exit (the separators are passed over).
void choose(const App& app, HWND tray, std::initializer_list<WPARAM> keys) {
    HWND menu = rightClickIcon(app, tray);
    E2E_REQUIRE(menu != nullptr);
    pressInMenu(app, menu, keys);
}

// "2026-12-08 14:30" for the local time now plus `minutes`, as the program stores a pause's end.
std::string localTimeText(int minutes) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000;
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute);
    return text;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// What the running copy's command channel answers to data as a second start would send it.
LRESULT sendToChannel(ULONG_PTR tag, std::string data) {
    HWND channel = nullptr;
    E2E_REQUIRE(waitUntil([&] {
        return (channel = FindWindowExW(HWND_MESSAGE, nullptr, L"RespitePrompterCommands", nullptr)) != nullptr;
    }));
    COPYDATASTRUCT copy{tag, static_cast<DWORD>(data.size()), data.data()};
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

DWORD exitCode(const App& app) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(app.process(), &code);
    return code;
}

}  // namespace

E2E_SCENARIO(tray_menu_opens_on_a_right_click_only_with_its_option_on) {
    for (bool on : {false, true}) {
        note(on ? "with the menu" : "without it");
        settings::storeReminding({.minutes = "45", .audio = true});
        if (on) settings::set("Tray Menu", "On");
        App app = App::start(ctx);
        HWND main = app.mainWindow();
        HWND tray = trayWindow(main);
        minimise(main);
        HWND menu = rightClickIcon(app, tray, on ? 3s : 1s);
        E2E_CHECK_EQ(menu != nullptr, on);
        if (!on) {
            E2E_CHECK(waitUntil([&] { return visible(main) && !IsIconic(main); }, 2s));  // as before
            continue;
        }
        E2E_CHECK(!visible(main));
        pressInMenu(app, menu, {VK_ESCAPE});
        E2E_CHECK(!visible(main));
        choose(app, tray, {VK_DOWN, VK_RETURN});  // Open
        E2E_CHECK(waitUntil([&] { return visible(main) && !IsIconic(main); }, 2s));
        minimise(main);
        post(tray, ui::kTrayCallback, 0, WM_LBUTTONUP);  // the left button still restores
        E2E_CHECK(waitUntil([&] { return visible(main); }, 2s));
        E2E_CHECK(openMenus(app).empty());
    }
}

E2E_SCENARIO(tray_menu_pauses_resumes_and_takes_a_break_now) {
    settings::storeReminding({.minutes = "45", .window = true});
    settings::set("Tray Menu", "On");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND tray = trayWindow(main);
    HWND frame1 = child(main, id::Frame1);
    E2E_REQUIRE(waitUntil([&] { return startsWith(text(frame1), ui::kNextBreak); }, 3s));

    const std::string before = localTimeText(30);
    choose(app, tray, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});  // Pause Reminders, For 30 Minutes
    E2E_CHECK(waitUntil([&] { return startsWith(text(frame1), kPaused); }, 3s));
    const auto stored = settings::get("Paused Until");
    E2E_CHECK(stored == before || stored == localTimeText(30));
    E2E_CHECK_EQ(settings::get("StartStopState"), "On");
    Sleep(1500);
    E2E_CHECK(startsWith(text(frame1), kPaused));  // nothing counts

    choose(app, tray, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // Resume Reminders
    E2E_CHECK(waitUntil([&] { return text(frame1) == std::string(ui::kNextBreak) + "00:44:59"; }, 3s));
    E2E_CHECK(!settings::get("Paused Until"));

    choose(app, tray, {VK_DOWN, VK_DOWN, VK_RETURN});  // Take a Break Now
    HWND breakWindow = waitForWindow(breakWindowOf(app), 5s);
    E2E_REQUIRE(breakWindow != nullptr);
    post(breakWindow, WM_CLOSE);
    E2E_CHECK(waitForWindowGone(breakWindow));
    // The break ends with a fresh period.
    E2E_CHECK(waitUntil([&] { return startsWith(text(frame1), std::string(ui::kNextBreak) + "00:44:5"); }, 3s));
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}

E2E_SCENARIO(tray_menu_exit_ends_the_program) {
    settings::storeReminding({.minutes = "45", .audio = true});
    settings::set("Tray Menu", "On");
    App app = App::start(ctx);
    HWND tray = trayWindow(app.mainWindow());
    choose(app, tray, {VK_UP, VK_RETURN});  // the last entry
    E2E_CHECK(app.waitForExit(5s));
    E2E_CHECK_EQ(exitCode(app), DWORD{0});
    E2E_CHECK_EQ(settings::get("StartStopState"), "On");  // as the close box leaves it
}

E2E_SCENARIO(a_second_start_with_a_command_hands_it_to_the_running_copy) {
    settings::storeReminding({.minutes = "45", .audio = true});
    App first = App::start(ctx);
    HWND main = first.mainWindow();
    HWND frame1 = child(main, id::Frame1);

    // The channel takes only a command of the program's own, checked for size and text.
    constexpr ULONG_PTR kTag = 0x52504331;
    const std::pair<ULONG_PTR, std::string> refused[] = {
        {kTag, "/pause 99999"}, {kTag, std::string("/pause 30\0", 10)}, {kTag, "/pause\t30"},
        {kTag, "/pause 30" + std::string(40, ' ')}, {kTag, ""}, {1, "/pause 30"}};
    for (const auto& [tag, data] : refused) E2E_CHECK_EQ(sendToChannel(tag, data), LRESULT{FALSE});
    E2E_CHECK(waitUntil([&] { return startsWith(text(frame1), ui::kNextBreak); }, 3s));
    E2E_CHECK(!settings::get("Paused Until"));

    App second = App::start(ctx, L"/pause 30");
    E2E_CHECK(second.waitForExit(10s));
    E2E_CHECK_EQ(exitCode(second), DWORD{0});
    E2E_CHECK(waitUntil([&] { return startsWith(text(frame1), kPaused); }, 3s));
    E2E_CHECK(settings::get("Paused Until").has_value());

    App third = App::start(ctx, L"/RESUME");
    E2E_CHECK(third.waitForExit(10s));
    E2E_CHECK_EQ(exitCode(third), DWORD{0});
    E2E_CHECK(waitUntil([&] { return startsWith(text(frame1), ui::kNextBreak); }, 3s));
    E2E_CHECK(!settings::get("Paused Until"));
    E2E_CHECK_EQ(findWindows({ui::kMainCaption, ui::kMainClass, 0, false}).size(), std::size_t{1});

    // With no copy running, the program starts and takes the command itself.
    E2E_CHECK(first.close().has_value());
    App alone = App::start(ctx, L"/stop");
    E2E_CHECK(waitUntil([&] { return text(child(alone.mainWindow(), id::Frame1)) == "Stopped."; }, 3s));
    E2E_CHECK_EQ(settings::get("StartStopState"), "Off");
}

E2E_SCENARIO(a_command_line_not_understood_is_refused_and_changes_nothing) {
    settings::storeReminding({.minutes = "45", .audio = true});
    App app = App::start(ctx, L"/pause 0");
    const auto box = waitForMessageBox(ui::kMainCaption, app.pid());
    E2E_REQUIRE(box.has_value());
    E2E_CHECK(contains(box->text, "\"/pause 0\""));
    E2E_CHECK(contains(box->text, "/pause tomorrow"));
    E2E_CHECK(findWindow({ui::kMainCaption, ui::kMainClass, app.pid(), false}) == nullptr);
    closeMessageBox(*box);
    E2E_CHECK(app.waitForExit(5s));
    E2E_CHECK_EQ(exitCode(app), DWORD{2});
    E2E_CHECK(!settings::get("Paused Until"));
    E2E_CHECK(!settings::get("Tray Menu"));
}
