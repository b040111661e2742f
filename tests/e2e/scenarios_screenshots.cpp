// Poses for the pictures in docs/screenshots: each sets the program up the way its picture
// shows it, names the part of the screen to take, and holds still until scripts/screenshots
// has taken it. They check only what the picture needs and are not CTest tests.
//
// The hand-over goes through files in the folder named by RP_SCREENSHOT_DIR (a Unix path):
// the driver writes "<picture>.ready" with "x y width height" in screen pixels, the script
// answers with "<picture>.done" once the picture is saved.
#include "e2e.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "runtime/CivilTime.h"

using namespace e2e;

namespace {

// The hand-over folder as Wine sees it: drive Z: is the Unix root.
std::filesystem::path handOverFolder() {
    const char* unixPath = std::getenv("RP_SCREENSHOT_DIR");
    if (!unixPath || unixPath[0] != '/') fail(__FILE__, __LINE__, "RP_SCREENSHOT_DIR must name a Unix folder");
    std::wstring path = L"Z:" + widen(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

RECT screenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The bottom-right corner of the screen, `width` by `height` pixels at 96 dots per inch and
// as much larger as the screen's scale.
RECT bottomRight(LONG width, LONG height) {
    HDC screenDc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screenDc, LOGPIXELSY);
    ReleaseDC(nullptr, screenDc);
    const RECT screen = screenRect();
    return {screen.right - MulDiv(width, dpi, 96), screen.bottom - MulDiv(height, dpi, 96), screen.right,
            screen.bottom};
}

// Asks for `region` (clipped to the screen) to be taken as `picture` and waits until it was.
void pose(const std::string& picture, RECT region) {
    const RECT screen = screenRect();
    IntersectRect(&region, &region, &screen);
    E2E_REQUIRE(!IsRectEmpty(&region));
    const auto folder = handOverFolder();
    const auto ready = folder / (picture + ".ready"), done = folder / (picture + ".done");
    {
        // Written aside and renamed, so the script never reads half a line.
        std::ofstream out(folder / (picture + ".part"));
        out << region.left << ' ' << region.top << ' ' << region.right - region.left << ' '
            << region.bottom - region.top << '\n';
    }
    std::filesystem::rename(folder / (picture + ".part"), ready);
    note("posing for " + picture);
    E2E_REQUIRE(waitUntil([&] { return std::filesystem::exists(done); }, 30s));
}

// Waits until the window has kept its place for `still`.
bool waitUntilStill(HWND window, Duration still, Duration timeout) {
    RECT last{};
    auto since = std::chrono::steady_clock::now();
    return waitUntil([&] {
        RECT now{};
        if (!GetWindowRect(window, &now)) return false;
        if (!EqualRect(&now, &last)) {
            last = now;
            since = std::chrono::steady_clock::now();
        }
        return std::chrono::steady_clock::now() - since >= still;
    }, timeout);
}

// Beyond the left edge of the screen, out of the picture of the bottom right at any scale.
void moveOutOfThePicture(HWND main) {
    RECT rect{};
    GetWindowRect(main, &rect);
    SetWindowPos(main, nullptr, -(rect.right - rect.left) - 100, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

// The fixture's two weeks of statistics, its days moved so that the last one is today, as the
// program's statistics file.
void writeStatisticsEndingToday() {
    std::wstring fixture = L"Z:" + widen(E2E_SOURCE_DIR "/tests/e2e/fixtures/statistics-two-weeks.csv");
    std::replace(fixture.begin(), fixture.end(), L'/', L'\\');
    std::ifstream in{std::filesystem::path(fixture)};
    E2E_REQUIRE(in.good());
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::int64_t shift = rp::DaysFromCivil(now.wYear, now.wMonth, now.wDay) - rp::DaysFromCivil(2026, 12, 8);
    const std::filesystem::path file = statisticsPath();
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (const auto date = rp::ParseDateText(line.substr(0, 10)))
            line = rp::DateText(rp::CivilFromDays(rp::DaysFromCivil(date->year, date->month, date->day) + shift)) +
                   line.substr(10);
        out << line << "\r\n";
    }
}

// The theme RP_POSE_THEME names ("Dark"), if any, stored as the Options window stores it.
void poseTheme() {
    if (const char* theme = std::getenv("RP_POSE_THEME")) settings::set("Theme", theme);
}

// Counting passes at once until `wanted` opens: the driver hands the program the countdown's
// timer messages itself (Timer1 is the program's first timer, id 1, on its message-only timer
// window).
HWND fastForwardUntil(const App& app, const WindowQuery& wanted) {
    HWND timers = nullptr;
    // Under load the program may show its main window before it has made its timers.
    E2E_REQUIRE(waitUntil([&] {
        for (HWND candidate = nullptr; (candidate = FindWindowExW(HWND_MESSAGE, candidate, L"RespitePrompterTimers", nullptr));) {
            DWORD pid = 0;
            GetWindowThreadProcessId(candidate, &pid);
            if (pid == app.pid()) timers = candidate;
        }
        return timers != nullptr;
    }, 5s));
    HWND window = nullptr;
    for (int batch = 0; batch < 30 && !(window = findWindow(wanted)); ++batch) {
        for (int tick = 0; tick < 50; ++tick) post(timers, WM_TIMER, 1);
        waitUntil([&] { return findWindow(wanted) != nullptr; }, 300ms);
    }
    return window;
}

void poseWindow(const std::string& picture, HWND window) {
    E2E_REQUIRE(waitUntilStill(window, 300ms, 5s));
    Sleep(200);  // let the window finish painting
    RECT rect{};
    GetWindowRect(window, &rect);
    pose(picture, rect);
}

}  // namespace

// Reminding on at 20 minutes, a few seconds into the period; in the language RP_POSE_LANGUAGE
// names ("de"), if any.
E2E_POSE(screenshot_main_window) {
    settings::clear();
    settings::set("Text1", "20");
    settings::set("StartStopState", "On");
    const char* language = std::getenv("RP_POSE_LANGUAGE");
    if (language) settings::set("Language", language);
    poseTheme();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    // The same second every time, so that the picture comes out the same.
    E2E_REQUIRE(waitUntil([&] { return contains(text(child(main, id::Frame1)), "00:19:56"); }));
    Sleep(200);  // let the window finish painting
    RECT window{};
    GetWindowRect(main, &window);
    pose(language ? std::string("main-window-") + language : std::string("main-window"), window);
}

// A break at the first tick with the break window as the only reminder; the box then goes to
// 30, which keeps the window resting (the stay is read from it every second) while it is taken.
E2E_POSE(screenshot_break_window) {
    settings::storeReminding({.minutes = "0", .window = true});
    poseTheme();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    moveOutOfThePicture(main);
    HWND window = waitForWindow(breakWindowOf(app), 5s);
    E2E_REQUIRE(window != nullptr);
    setText(child(main, id::Text1), "30");
    E2E_REQUIRE(waitUntil([&] {
        RECT rect{};
        return GetWindowRect(window, &rect) && rect.bottom <= screenRect().bottom;
    }));
    E2E_REQUIRE(waitUntilStill(window, 500ms, 5s));
    pose("break-window", bottomRight(700, 250));
    E2E_CHECK(IsWindowVisible(window));  // still resting when it was taken
}

// The first minimise sends the window to the tray with a notice in a balloon from the icon.
E2E_POSE(screenshot_tray_notice) {
    settings::clear();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    // Posted, as the minimise button does: the program keeps the notice up for five seconds
    // inside its handling of the minimise, and a sent ShowWindow would wait that long.
    post(main, WM_SYSCOMMAND, SC_MINIMIZE);
    std::vector<HWND> balloons;
    // Wine shows a balloon about two seconds after it is asked to.
    E2E_REQUIRE(waitUntil([&] { return !(balloons = shellBalloons(app.pid())).empty(); }));
    HWND balloon = balloons.front();
    E2E_REQUIRE(waitUntilStill(balloon, 300ms, 2s));
    RECT rect{};
    GetWindowRect(balloon, &rect);
    // From a little above and left of the balloon down to the corner, where the icon sits.
    const RECT screen = screenRect();
    pose("tray-notice", {rect.left - 24, rect.top - 24, screen.right, screen.bottom});
}

namespace {

// A guided break of five minutes at the first tick, with one of the day's skips used, three
// seconds in: the window covers the whole screen.
void poseGuidedBreak(Context& ctx, const char* picture, bool exercises) {
    settings::storeReminding({.minutes = "0"});
    settings::set("Break Length", "5");
    if (exercises) settings::set("Show Exercises", "On");
    const std::time_t now = std::time(nullptr);
    char today[16];
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    settings::set("Skips Used", std::string(today) + " 1");
    poseTheme();
    App app = App::start(ctx);
    app.mainWindow();
    HWND window = waitForWindow({"Break Time", "RespitePrompterFormBreak", app.pid(), true}, 5s);
    E2E_REQUIRE(window != nullptr);
    E2E_REQUIRE(waitUntil([&] { return text(child(window, 1401)) == "04:57"; }));
    Sleep(200);  // let the window finish painting
    RECT rect{};
    GetWindowRect(window, &rect);
    pose(picture, rect);
}

}  // namespace

E2E_POSE(screenshot_guided_break) { poseGuidedBreak(ctx, "guided-break", false); }

// The same with exercises: the first of their fixed order, a few seconds in.
E2E_POSE(screenshot_exercises) { poseGuidedBreak(ctx, "exercises", true); }

// Four exercises of the four kinds and the breathing pacer, as the first break of the fixed
// order brings them: each is taken a few seconds into its turn, the part of the screen that
// holds the window's texts and buttons. Takes nearly three minutes.
E2E_POSE(screenshot_exercise_series) {
    settings::storeReminding({.minutes = "0"});
    settings::set("Break Length", "5");
    settings::set("Show Exercises", "On");
    poseTheme();
    App app = App::start(ctx);
    app.mainWindow();
    HWND window = waitForWindow({"Break Time", "RespitePrompterFormBreak", app.pid(), true}, 5s);
    E2E_REQUIRE(window != nullptr);
    const struct {
        const char* picture;
        const char* timeLeft;  // the break's, a few seconds into the exercise's turn
    } turns[] = {{"exercise-eyes", "04:57"}, {"exercise-hands", "04:37"}, {"exercise-back", "03:37"},
                 {"exercise-neck", "03:07"}, {"exercise-pacer", "02:16"}};
    for (const auto& turn : turns) {
        E2E_REQUIRE(waitUntil([&] { return text(child(window, 1401)) == turn.timeLeft; }, 200s));
        Sleep(200);  // let the window finish painting
        RECT block{};
        for (HWND part = GetWindow(window, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
            RECT rect{};
            if (IsWindowVisible(part) && GetWindowRect(part, &rect)) UnionRect(&block, &block, &rect);
        }
        InflateRect(&block, 24, 24);
        pose(turn.picture, block);
    }
}

// The eye break window resting at the bottom right. Twenty minutes of counting pass at once:
// the driver hands the program the countdown's timer messages itself (Timer1 is the program's
// first timer, id 1, on its message-only timer window).
E2E_POSE(screenshot_eye_break) {
    settings::storeReminding({.minutes = "45"});
    settings::set("Eye Breaks", "On");
    // With exercises the window shows the first eye exercise, and is larger.
    const bool exercises = std::getenv("RP_POSE_EXERCISES") != nullptr;
    if (exercises) settings::set("Show Exercises", "On");
    poseTheme();
    App app = App::start(ctx);
    moveOutOfThePicture(app.mainWindow());
    HWND window = fastForwardUntil(app, {"Eye Break", "RespitePrompterFormEyeBreak", app.pid(), true});
    E2E_REQUIRE(window != nullptr);
    E2E_REQUIRE(waitUntil([&] { return text(child(window, 1502)) == "00:18"; }));
    E2E_REQUIRE(waitUntilStill(window, 300ms, 2s));
    pose(exercises ? "eye-exercise" : "eye-break", exercises ? bottomRight(500, 260) : bottomRight(450, 200));
}

// Two weeks of a fixture's statistics in the Statistics window, opened from the system menu.
E2E_POSE(screenshot_statistics_window) {
    settings::clear();
    settings::set("Keep Statistics", "On");
    const char* language = std::getenv("RP_POSE_LANGUAGE");
    if (language) settings::set("Language", language);
    poseTheme();
    writeStatisticsEndingToday();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    post(main, WM_SYSCOMMAND, 0x1010);  // "Statistics..."
    // By its class: its caption is in the language posed.
    HWND window = waitForWindow({std::nullopt, "RespitePrompterFormStatistics", app.pid(), true});
    E2E_REQUIRE(window != nullptr);
    E2E_REQUIRE(waitUntilStill(window, 300ms, 5s));
    Sleep(200);  // let the window finish painting
    RECT rect{};
    GetWindowRect(window, &rect);
    pose(language ? std::string("statistics-window-") + language : std::string("statistics-window"), rect);
    std::error_code ignored;
    std::filesystem::remove(statisticsPath(), ignored);
}

// The Options window at its first page (or RP_POSE_PAGE's, counted from 0, in RP_POSE_LANGUAGE),
// the main window moved out of the picture.
E2E_POSE(screenshot_options_window) {
    settings::clear();
    poseTheme();
    if (const char* language = std::getenv("RP_POSE_LANGUAGE")) settings::set("Language", language);
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    moveOutOfThePicture(main);
    HWND window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    if (const char* page = std::getenv("RP_POSE_PAGE")) {
        clickOn(window);
        for (int i = std::atoi(page); i > 0; --i) pressKeys("ctrl+Tab");
    }
    E2E_REQUIRE(waitUntilStill(window, 300ms, 5s));
    Sleep(200);  // let the window finish painting
    RECT rect{};
    GetWindowRect(window, &rect);
    pose("options-window", rect);
}

// The "Break Soon" window half a minute before a guided break, its seconds passed at once.
E2E_POSE(screenshot_break_soon) {
    settings::storeReminding({.minutes = "1"});
    settings::set("Break Length", "5");
    settings::set("Warn Before Break", "30");
    poseTheme();
    App app = App::start(ctx);
    moveOutOfThePicture(app.mainWindow());
    HWND window = fastForwardUntil(app, {"Break Soon", "RespitePrompterFormWarning", app.pid(), true});
    E2E_REQUIRE(window != nullptr);
    poseWindow("break-soon", window);
}
