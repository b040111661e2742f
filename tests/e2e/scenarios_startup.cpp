// Start-up: what the program shows and stores when it opens, from an empty
// store and from stored values.
#include "e2e.h"

using namespace e2e;

namespace {

// No error box may be open once start-up has finished.
void checkNoErrorBox(const App& app) {
    if (HWND box = findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false})) {
        std::string what = "unexpected \"Application Error\" box";
        if (HWND t = findChild(box, id::MessageBoxText)) what += ": " + describe(text(t));
        recordFailure(__FILE__, __LINE__, what);
    }
}

}  // namespace

E2E_SCENARIO(first_run) {
    settings::clear();
    E2E_REQUIRE(!settings::keyExists());

    App app = App::start(ctx);
    HWND main = app.mainWindow();
    checkNoErrorBox(app);

    E2E_CHECK_EQ(settings::get("Text1"), "45");
    E2E_CHECK_EQ(settings::get("Alarm"), app.folder() + "\\break.wav");
    E2E_CHECK_EQ(settings::get("Check1"), "1");
    E2E_CHECK_EQ(settings::get("Check2"), "1");
    E2E_CHECK_EQ(settings::get("StartStopState"), "Off");

    E2E_CHECK_EQ(text(child(main, id::Frame1)), "Stopped.");
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Start Reminding");
    E2E_CHECK_EQ(text(child(main, id::Text1)), "45");
    E2E_CHECK(checked(child(main, id::Check1)));
    E2E_CHECK(checked(child(main, id::Check2)));
    E2E_CHECK(!checked(child(main, id::Check3)));
}

E2E_SCENARIO(stored_on_resumes_reminding) {
    settings::clear();
    settings::set("StartStopState", "On");

    App app = App::start(ctx);
    HWND main = app.mainWindow();
    checkNoErrorBox(app);

    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");
    E2E_CHECK_EQ(settings::get("StartStopState"), "On");
    // The countdown runs from the full 45 minutes: the first tick shows 00:44:59.
    HWND frame1 = child(main, id::Frame1);
    bool ticking = waitUntil([&] { return contains(text(frame1), "Next break will occur in 00:44:"); }, 5s);
    E2E_CHECK(ticking);
    if (!ticking) note("Frame1 reads " + describe(text(frame1)));
}

E2E_SCENARIO(bad_check1_is_reported) {
    settings::clear();
    settings::set("Check1", "x");

    App app = App::start(ctx);
    auto box = waitForMessageBox(ui::kErrorTitle, app.pid());
    E2E_REQUIRE(box.has_value());
    note("error box text: " + describe(box->text));
    E2E_CHECK(contains(box->text, "Form1.Form_Load "));
    E2E_CHECK(contains(box->text, "at line 194"));
    E2E_REQUIRE(closeMessageBox(*box));

    HWND main = app.mainWindow();
    checkNoErrorBox(app);
    E2E_CHECK(!checked(child(main, id::Check1)));
}

// A language stored earlier speaks from the start: in the error box, whose location stays as it
// is for the report, in the captions, and in the countdown.
E2E_SCENARIO(a_stored_language_speaks_in_the_error_box_and_the_window) {
    settings::storeReminding({.minutes = "45", .audio = true});
    settings::set("Language", "de");
    settings::set("Check1", "x");

    App app = App::start(ctx);
    auto box = waitForMessageBox("Anwendungsfehler", app.pid());
    E2E_REQUIRE(box.has_value());
    note("error box text: " + describe(box->text));
    E2E_CHECK(contains(box->text, "Typen unverträglich"));
    E2E_CHECK(contains(box->text, "Form1.Form_Load "));
    E2E_CHECK(contains(box->text, "at line 194"));
    E2E_CHECK(contains(box->text, "Bitte senden Sie einen Screenshot"));
    E2E_REQUIRE(closeMessageBox(*box));

    HWND main = app.mainWindow();
    E2E_CHECK_EQ(text(main), ui::kMainCaption);
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Erinnerungen beenden");
    E2E_CHECK_EQ(text(child(main, id::Check2)), "Sprechblase");
    HWND frame1 = child(main, id::Frame1);
    E2E_CHECK(waitUntil([&] { return contains(text(frame1), "Nächste Pause in 00:44:"); }, 5s));
}

// Any text the user gives the program comes back unchanged from the registry: an empty
// one, a long one and one outside the ANSI code page.
E2E_SCENARIO(stored_texts_round_trip_unchanged) {
    settings::clear();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring soundPath = std::wstring(temp) + L"Respite \u03a9 \u00e9t\u00e9 \u4f11\u606f.wav";
    HANDLE file = CreateFileW(soundPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    E2E_REQUIRE(file != INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::string sound = narrow(soundPath);
    settings::set("Alarm", sound);
    settings::set("Text1", "  7  ");

    App app = App::start(ctx);
    HWND main = app.mainWindow();
    checkNoErrorBox(app);
    E2E_CHECK_EQ(text(child(main, id::Text2)), sound);
    E2E_CHECK_EQ(settings::get("Alarm"), sound);
    E2E_CHECK_EQ(text(child(main, id::Text1)), "  7  ");

    std::wstring thousand;
    while (thousand.size() < 1000) thousand += L"\u03a9x\u00e9";
    thousand.resize(1000);
    setText(child(main, id::Text2), narrow(thousand));
    E2E_CHECK_EQ(settings::get("Alarm"), narrow(thousand));
    setText(child(main, id::Text2), "");
    E2E_CHECK_EQ(settings::get("Alarm"), std::string());
    DeleteFileW(soundPath.c_str());
}
