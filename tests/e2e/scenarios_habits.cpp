// What users elsewhere and in a hurry do: type numbers the way their locale writes them,
// click twice quickly, and start the program again while it sits in the tray.
#include <thread>

#include "e2e.h"
#include "linux_process.h"

using namespace e2e;

namespace {

constexpr wchar_t kInternational[] = L"Control Panel\\International";

// German separators for the user, put back as they were at the end. Wine resets the locale's
// name at every start but keeps the separators.
class GermanSeparators {
public:
    GermanSeparators() {
        for (const auto& [name, value] : kValues) {
            saved_.push_back(regGet(HKEY_CURRENT_USER, kInternational, name));
            regSet(HKEY_CURRENT_USER, kInternational, name, value);
        }
    }
    ~GermanSeparators() {
        for (std::size_t i = 0; i < std::size(kValues); ++i) {
            if (saved_[i])
                regSet(HKEY_CURRENT_USER, kInternational, kValues[i].first, *saved_[i]);
            else
                regDeleteValue(HKEY_CURRENT_USER, kInternational, kValues[i].first);
        }
    }

private:
    static constexpr std::pair<const char*, const char*> kValues[] = {
        {"sDecimal", ","}, {"sThousand", "."}, {"sMonDecimalSep", ","}, {"sMonThousandSep", "."}};
    std::vector<std::optional<std::string>> saved_;
};

// Starts reminding with the minutes box holding `minutes` and waits for the first tick.
bool firstTickShows(HWND main, const std::string& minutes, const std::string& remaining) {
    HWND button = child(main, id::PushButton3);
    if (text(button) != "Start Reminding") click(button);
    setText(child(main, id::Text1), minutes);
    click(button);
    return waitUntil([&] { return text(child(main, id::Frame1)) == ui::kNextBreak + remaining; }, 3s);
}

std::vector<std::optional<std::string>> allSettings() {
    std::vector<std::optional<std::string>> values;
    for (const char* name : {"Text1", "Alarm", "Check1", "Check2", "Check3", "Windows Startup",
                             "Minimized", "StartStopState"})
        values.push_back(settings::get(name));
    return values;
}

}  // namespace

E2E_SCENARIO(minutes_are_read_with_the_users_separators) {
    GermanSeparators german;
    settings::storeReminding({.minutes = "45", .on = false});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    E2E_CHECK(firstTickShows(main, "2,5", "00:01:59"));  // 2.5 minutes, half to even: 2
    E2E_CHECK(firstTickShows(main, "1.000", "16:39:59"));  // 1000 minutes
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}

E2E_SCENARIO(notice_about_the_minutes_carries_the_application_title) {
    settings::storeReminding({.minutes = "40000", .on = false});
    App app = App::start(ctx);
    auto box = waitForMessageBox("Periodic Respite Prompter", app.pid());
    E2E_REQUIRE(box.has_value());
    E2E_CHECK(contains(box->text, "-32768 to 32767"));
    E2E_CHECK(closeMessageBox(*box));
    // A number too large even for a double is a number all the same, not "1".
    HWND text1 = child(app.mainWindow(), id::Text1);
    std::thread typing([&] { setText(text1, "1e400"); });  // returns when the notice closes
    box = waitForMessageBox("Periodic Respite Prompter", app.pid());
    E2E_CHECK(box.has_value());
    E2E_CHECK(box && contains(box->text, "-32768 to 32767"));
    E2E_CHECK(box && closeMessageBox(*box));
    typing.join();
    E2E_CHECK_EQ(text(text1), "1e400");
}

// An own-drawn button hears a fast second click as a double click; it must still count.
E2E_SCENARIO(two_quick_clicks_on_a_button_are_two_clicks) {
    settings::storeReminding({.minutes = "45", .on = true});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND button = child(main, id::PushButton3);
    settings::remove("StartStopState");  // each click stores it again
    const LPARAM inside = MAKELPARAM(10, 10);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        post(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, inside);
    // Stop, then start again: reminding is on, from a new period.
    E2E_CHECK(waitUntil([] { return settings::get("StartStopState") == "On"; }, 3s));
    E2E_CHECK_EQ(text(button), "Stop Reminding");
    const std::string next = std::string(ui::kNextBreak) + "00:44:59";
    E2E_CHECK(waitUntil([&] { return text(child(main, id::Frame1)) == next; }, 3s));
}

E2E_SCENARIO(a_second_start_brings_the_running_copy_back) {
    InTray first = startInTray(ctx);
    HWND main = first.main;
    const auto before = allSettings();
    // In the tray, the window's controls and the common controls' library are not made yet.
    const auto process = LinuxProcess::find(ctx.appPath);
    E2E_REQUIRE(process.has_value());
    E2E_CHECK(!process->mapsLibrary("comctl32.dll"));

    App second = App::start(ctx);
    E2E_CHECK(second.waitForExit(10s));
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(second.process(), &exitCode);
    E2E_CHECK_EQ(exitCode, DWORD{0});
    E2E_CHECK(waitUntil([&] { return visible(main) && !IsIconic(main); }, 5s));
    // Shown and brought to the front are two steps of the running copy.
    E2E_CHECK(waitUntil([&] { return GetForegroundWindow() == main; }, 3s));
    E2E_CHECK(process->mapsLibrary("comctl32.dll"));
    // Made on the way, with the state they had to show: from cleared settings, not reminding.
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Start Reminding");
    E2E_CHECK(first.app.running());
    E2E_CHECK(allSettings() == before);
    E2E_CHECK_EQ(findWindows({ui::kMainCaption, ui::kMainClass, 0, false}).size(), std::size_t{1});
}
