// A copy of the program that an installer started (tests/install/install_test.sh runs these
// on the installed exe after an upgrade).
#include "e2e.h"

using namespace e2e;

namespace {

// The main window of the process that runs `exe`, shown or not; nullptr while there is none.
HWND mainWindowOfCopyRunning(const std::wstring& exe) {
    for (HWND window : findWindows({std::nullopt, ui::kMainClass, 0, false})) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (!process) continue;
        wchar_t path[MAX_PATH * 2];
        DWORD size = MAX_PATH * 2;
        const bool same = QueryFullProcessImageNameW(process, 0, path, &size) &&
                          CompareStringOrdinal(path, static_cast<int>(size), exe.c_str(), -1, TRUE) == CSTR_EQUAL;
        CloseHandle(process);
        if (same) return window;
    }
    return nullptr;
}

}  // namespace

// A copy of ctx.appPath runs, shows its window as a normal start with the default settings
// does, and counts down a fresh period: its stored StartStopState "On" was honoured.
E2E_INSPECT(running_copy_counts) {
    HWND main = nullptr;
    waitUntil([&] { return (main = mainWindowOfCopyRunning(ctx.appPath)) != nullptr && visible(main); });
    E2E_REQUIRE(main != nullptr);
    E2E_CHECK(visible(main));
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");
    HWND frame1 = child(main, id::Frame1);
    const bool ticking = waitUntil([&] { return contains(text(frame1), std::string(ui::kNextBreak) + "00:4"); }, 5s);
    E2E_CHECK(ticking);
    if (!ticking) note("Frame1 reads " + describe(text(frame1)));
}
