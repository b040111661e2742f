// The record of breaks ("Keep Statistics") worked from outside: a minute of counting writes the
// file, the Statistics window opens from the system menu with its chart and its figures for
// screen readers, and Export writes the CSV file the user names in the save dialog.
#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "e2e.h"
#include "runtime/CivilTime.h"

using namespace e2e;

namespace {

constexpr char kStatisticsClass[] = "RespitePrompterFormStatistics";
// "Statistics..." of the main window's system menu, below "Options...".
constexpr WPARAM kStatisticsCommand = 0x1010;
constexpr char kHeader[] =
    "date,screen_minutes,breaks_due,breaks_announced,breaks_taken,natural_breaks,postponed,skipped,held,"
    "held_minutes,eye_breaks,longest_stretch_minutes\r\n";

// Controls of the Statistics window.
namespace st {
constexpr int Chart = 1601, Today = 1501, LastWeek = 1502, Export = 1201;
}  // namespace st
// The save dialog's file name box.
constexpr int kFileNameBox = 1148;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Today as the file writes it, "2026-12-08".
std::string today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return rp::DateText({now.wYear, now.wMonth, now.wDay});
}

// The role and the name a screen reader reads of a control.
std::pair<long, std::string> roleAndName(HWND control) {
    IAccessible* object = nullptr;
    // __uuidof: the x64 import library's IID_IAccessible is a code stub (scenarios_accessibility.cpp).
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) || !object)
        return {0, ""};
    VARIANT self{}, role{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::pair<long, std::string> facts;
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) facts.first = role.lVal;
    if (object->get_accName(self, &name) == S_OK && name) facts.second = narrow({name, SysStringLen(name)});
    SysFreeString(name);
    object->Release();
    return facts;
}

// How many pixels of the colour the screen shows in the window's client area.
int pixelsOf(HWND window, COLORREF colour) {
    const std::vector<COLORREF> pixels = clientPixels(window);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

}  // namespace

E2E_SCENARIO(statistics_are_written_shown_and_exported) {
    const std::filesystem::path file = statisticsPath();
    const std::filesystem::path exported = std::filesystem::temp_directory_path() / "respite-export.csv";
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::filesystem::remove(exported, ignored);
    settings::storeReminding({.minutes = "45", .audio = true});
    settings::set("Keep Statistics", "On");
    App app = App::start(ctx);
    HWND main = app.mainWindow();

    note("a minute of counting");
    E2E_REQUIRE(waitUntil([&] { return std::filesystem::exists(file); }, 75s));
    E2E_CHECK(readFile(file).rfind(kHeader + today() + ",", 0) == 0);

    post(main, WM_SYSCOMMAND, kStatisticsCommand);
    HWND window = waitForWindow({"Statistics", kStatisticsClass, app.pid(), true});
    E2E_REQUIRE(window != nullptr);
    E2E_CHECK(!enabled(main));
    HWND chart = child(window, st::Chart);
    RECT area{};
    GetClientRect(chart, &area);
    E2E_CHECK(visible(chart) && area.right >= 500 && area.bottom >= 250);
    // Today's bar, a minute tall on an axis of one hour, in the highlight colour, besides the
    // legend's square of it.
    HDC screen = GetDC(nullptr);
    const int side = MulDiv(90, GetDeviceCaps(screen, LOGPIXELSY), 1440), legend = side * side;
    ReleaseDC(nullptr, screen);
    E2E_CHECK(waitUntil([&] { return pixelsOf(chart, GetSysColor(COLOR_HIGHLIGHT)) > legend + 40; }, 3s));
    const std::string todayText = text(child(window, st::Today));
    E2E_CHECK(contains(todayText, "Today: ") && contains(todayText, " at the screen, no break due, longest stretch "));
    E2E_CHECK(contains(text(child(window, st::LastWeek)), "Last 7 days: "));

    // Screen readers find the figures as text and the chart as a chart that says what it shows.
    {
        E2E_REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        const auto [labelRole, labelName] = roleAndName(child(window, st::Today));
        E2E_CHECK_EQ(labelRole, ROLE_SYSTEM_STATICTEXT);
        E2E_CHECK_EQ(labelName, todayText);
        const auto [chartRole, chartName] = roleAndName(chart);
        E2E_CHECK_EQ(chartRole, ROLE_SYSTEM_CHART);
        E2E_CHECK(contains(chartName, "Screen time per day: ") && contains(chartName, " (today) "));
        CoUninitialize();
    }

    postClick(child(window, st::Export));
    HWND dialog = waitForWindow({"Export Statistics", ui::kDialogClass, app.pid(), true});
    E2E_REQUIRE(dialog != nullptr);
    setText(child(dialog, kFileNameBox), narrow(exported.wstring()));
    post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    E2E_CHECK(waitForWindowGone(dialog));
    E2E_REQUIRE(waitUntil([&] { return std::filesystem::exists(exported); }, 5s));
    const std::string csv = readFile(exported);
    E2E_CHECK(csv.rfind(kHeader + today() + ",", 0) == 0);
    E2E_CHECK(csv.size() > sizeof kHeader && csv.ends_with("\r\n"));

    post(window, WM_KEYDOWN, VK_ESCAPE);
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(waitUntil([&] { return enabled(main); }, 2s));
    E2E_CHECK(app.close().has_value());
    E2E_CHECK(readFile(file).rfind(kHeader + today() + ",", 0) == 0);

    std::filesystem::remove(file, ignored);
    std::filesystem::remove(exported, ignored);
    settings::clear();
}
