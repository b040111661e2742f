// The countdown, starting and stopping, the minutes box and the choice of the break sound, worked
// from outside as the user works them.
#include "e2e.h"
#include "linux_process.h"

using namespace e2e;

namespace {

// Reminding off, the given minutes, the audio reminder on (no sound device in the test prefix:
// it plays nothing and fails nothing), the balloon off (it would hold every break for 30 s).
App startStopped(Context& ctx, const std::string& minutes, bool window = false) {
    settings::storeReminding({.minutes = minutes, .audio = true, .window = window, .on = false});
    return App::start(ctx);
}

HWND waitForBreakWindow(const App& app, Duration timeout = kDefaultTimeout) {
    return waitForWindow(breakWindowOf(app), timeout);
}

}  // namespace

E2E_SCENARIO(frame1_counts_down_while_reminding) {
    App app = startStopped(ctx, "1");
    HWND main = app.mainWindow();
    HWND frame1 = child(main, id::Frame1);
    E2E_CHECK_EQ(text(frame1), "Stopped.");

    click(child(main, id::PushButton3));
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");
    E2E_CHECK_EQ(settings::get("StartStopState"), "On");
    E2E_CHECK(waitUntil([&] { return text(frame1) == std::string(ui::kNextBreak) + "00:00:59"; }, 3s));
    E2E_CHECK(waitUntil([&] { return text(frame1) == std::string(ui::kNextBreak) + "00:00:58"; }, 3s));
    E2E_CHECK(waitUntil([&] { return text(frame1) == std::string(ui::kNextBreak) + "00:00:57"; }, 3s));

    click(child(main, id::PushButton3));
    E2E_CHECK_EQ(text(frame1), "Stopped.");
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Start Reminding");
    E2E_CHECK_EQ(settings::get("StartStopState"), "Off");
}

E2E_SCENARIO(zero_minutes_breaks_at_every_tick) {
    // The break window shows that each break ran; with 0 minutes it rests 0 seconds.
    App app = startStopped(ctx, "0", true);
    HWND main = app.mainWindow();
    click(child(main, id::PushButton3));

    HWND first = waitForBreakWindow(app);
    E2E_REQUIRE(first != nullptr);
    E2E_CHECK(waitForWindowGone(first));
    // The countdown restarted when the window went: the next tick is the next break.
    HWND second = waitForBreakWindow(app);
    E2E_CHECK(second != nullptr);
    E2E_CHECK_EQ(text(child(main, id::Frame1)), std::string(ui::kNextBreak) + "00:00:01");
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}

E2E_SCENARIO(stop_during_a_break_stays_stopped) {
    App app = startStopped(ctx, "0", true);
    HWND main = app.mainWindow();
    click(child(main, id::PushButton3));
    HWND window = waitForBreakWindow(app);
    E2E_REQUIRE(window != nullptr);
    click(child(main, id::PushButton3));
    E2E_CHECK(waitForWindowGone(window));

    // No further break comes, and the window keeps saying so.
    E2E_CHECK(waitForBreakWindow(app, 3s) == nullptr);
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Start Reminding");
    E2E_CHECK_EQ(text(child(main, id::Frame1)), "Stopped.");
    E2E_CHECK_EQ(settings::get("StartStopState"), "Off");
}

E2E_SCENARIO(minutes_that_are_no_number_become_1) {
    App app = startStopped(ctx, "45");
    HWND text1 = child(app.mainWindow(), id::Text1);
    setText(text1, "abc");
    E2E_CHECK(waitUntil([&] { return text(text1) == "1"; }, 2s));
    E2E_CHECK_EQ(settings::get("Text1"), "1");
    setText(text1, "2.5");
    E2E_CHECK_EQ(settings::get("Text1"), "2.5");
}

E2E_SCENARIO(change_sound_file_takes_the_chosen_path) {
    App app = startStopped(ctx, "45");
    HWND main = app.mainWindow();
    HWND text2 = child(main, id::Text2);
    const std::string before = text(text2);
    // A file other than the default one, which the box holds already.
    wchar_t temp[MAX_PATH];
    E2E_REQUIRE(GetTempPathW(MAX_PATH, temp) > 0);
    const std::string chosen = narrow(temp) + "respite-e2e-bell.wav";
    E2E_REQUIRE(CopyFileW(widen(app.folder() + "\\break.wav").c_str(), widen(chosen).c_str(), FALSE));
    settings::set("Alarm", "untouched");  // a write shows as a change of this value
    // The dialog's library and the sound's come with their first use, not with the start.
    const auto process = LinuxProcess::find(ctx.appPath);
    E2E_REQUIRE(process.has_value());
    E2E_CHECK(!process->mapsLibrary("comdlg32.dll"));
    E2E_CHECK(!process->mapsLibrary("winmm.dll"));

    // Cancel changes nothing.
    postClick(child(main, id::PushButton5));
    const char* title = "Add File(s) - Hold Ctrl to select multiple files";
    HWND dialog = waitForWindow({title, ui::kDialogClass, app.pid(), true});
    E2E_REQUIRE(dialog != nullptr);
    E2E_CHECK(process->mapsLibrary("comdlg32.dll"));
    post(dialog, WM_COMMAND, IDCANCEL, 0);
    E2E_CHECK(waitForWindowGone(dialog));
    E2E_CHECK_EQ(text(text2), before);
    E2E_CHECK_EQ(settings::get("Alarm"), "untouched");

    // A chosen file lands in the box and in the store at once.
    postClick(child(main, id::PushButton5));
    dialog = waitForWindow({title, ui::kDialogClass, app.pid(), true});
    E2E_REQUIRE(dialog != nullptr);
    setText(GetDlgItem(dialog, 1148), chosen);  // the "File name" box
    post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    E2E_CHECK(waitForWindowGone(dialog));
    E2E_CHECK(waitUntil([&] { return settings::get("Alarm") == chosen; }, 3s));
    E2E_CHECK_EQ(text(text2), chosen);

    // The test sound plays without a word, also for a file that is not there.
    click(child(main, id::PushButton4));
    E2E_CHECK(process->mapsLibrary("winmm.dll"));
    setText(text2, "C:\\nowhere\\none.wav");
    click(child(main, id::PushButton4));
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}
