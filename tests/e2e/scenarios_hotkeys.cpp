// The keys that work from anywhere, pressed on the X display as a user's keyboard would
// (xdotool), and a key another program holds.
#include "e2e.h"

#include <commctrl.h>

#include <string>

using namespace e2e;

namespace {

// The Options window's first key box ("Take a Break Now"), what is told beside it, and OK.
constexpr int kBreakNowBox = 1830, kBreakNowProblem = 1534, kOk = 1201;

// Another program that holds a key (hotkey_holder.exe, built beside the driver) until it ends.
struct Holder {
    PROCESS_INFORMATION process{};
    Holder(const Context& ctx, UINT modifiers, UINT key) {
        std::wstring folder = ctx.appPath.substr(0, ctx.appPath.find_last_of(L'\\') + 1);
        std::wstring line = L"\"" + folder + L"hotkey_holder.exe\" " + std::to_wstring(modifiers) + L" " +
                            std::to_wstring(key) + L" 50";
        STARTUPINFOW startup{};
    startup.cb = sizeof startup;
        E2E_REQUIRE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                   &startup, &process));
        // Held once the driver cannot register it either.
        E2E_REQUIRE(waitUntil([&] {
            if (!RegisterHotKey(nullptr, 77, modifiers, key)) return true;
            UnregisterHotKey(nullptr, 77);
            return false;
        }));
    }
    ~Holder() {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
};

}  // namespace

E2E_SCENARIO(hotkey_takes_a_break_from_anywhere) {
    settings::storeReminding({.minutes = "45", .window = true});
    settings::set("Hotkey Break Now", "Ctrl+Alt+B");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    E2E_CHECK(!findWindow(breakWindowOf(app)));
    pressKeys("ctrl+alt+b");
    E2E_CHECK(waitForWindow(breakWindowOf(app)) != nullptr);
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");
}

E2E_SCENARIO(hotkey_held_by_another_program_is_reported_beside_its_field) {
    Holder holder(ctx, MOD_CONTROL | MOD_ALT, 'K');
    settings::storeReminding({.minutes = "45", .window = true});
    settings::set("Hotkey Break Now", "Ctrl+Alt+K");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    // No box at start (the tray tip's note is tested on the simulated desktop).
    E2E_CHECK(!findWindow({std::nullopt, ui::kDialogClass, app.pid(), true}));
    HWND window = openOptions(app, main);
    E2E_REQUIRE(window != nullptr);
    HWND box = child(window, kBreakNowBox);
    E2E_CHECK_EQ(SendMessageW(box, HKM_GETHOTKEY, 0, 0), MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT));
    E2E_CHECK_EQ(text(child(window, kBreakNowProblem)), "Used by another program");
    // OK takes nothing while it is so; a key pressed in the box that is free is taken.
    postClick(child(window, kOk));
    E2E_CHECK(!waitForWindowGone(window, 1s));
    clickOn(box);
    pressKeys("ctrl+alt+j");
    // The box passes through Ctrl+Alt alone (no key, no problem) on the way: wait for the key.
    E2E_CHECK(waitUntil([&] { return SendMessageW(box, HKM_GETHOTKEY, 0, 0) == MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT); }, 3s));
    E2E_CHECK_EQ(text(child(window, kBreakNowProblem)), "");
    postClick(child(window, kOk));
    E2E_CHECK(waitForWindowGone(window));
    E2E_CHECK(waitUntil([] { return settings::get("Hotkey Break Now") == "Ctrl+Alt+J"; }, 3s));
}
