// The tray icon that shows the period ("Tray Icon Shows Progress"), as Wine's tray shows it.
#include "e2e.h"
#include "linux_process.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace e2e;
using Clock = std::chrono::steady_clock;

namespace {

// Without a desktop, Wine's X11 driver shows the tray as a small top-level window of its own
// ("Wine System Tray") with every icon drawn inside it, each with a tooltip of its own that holds
// the icon's tip. The tray once the program's icon is in it, or null.
HWND trayWithOurIcon() {
    HWND tray = findWindow({"Wine System Tray", "__winex11_standalone_tray", 0, true});
    if (!tray) return nullptr;
    for (HWND tip : findWindows({std::nullopt, "tooltips_class32", 0, false})) {
        if (GetWindow(tip, GW_OWNER) != tray) continue;
        for (const std::string& text : toolTexts(tip))
            if (text.rfind(ui::kMainCaption, 0) == 0) return tray;
    }
    return nullptr;
}

// The tray's icons as the screen shows them, folded into one number. Icons of copies ended a
// moment ago may still be there; they do not change.
std::uint64_t pictureOf(HWND tray) {
    RECT rect{};
    GetClientRect(tray, &rect);
    MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (std::uint32_t pixel : pixels) hash = (hash ^ (pixel & 0xFFFFFF)) * 1099511628211ull;
    return hash;
}

// The moments, in seconds from the first look, at which the icon's picture changed.
std::vector<double> changesWithin(HWND tray, Duration span) {
    std::vector<double> changes;
    const auto start = Clock::now();
    std::uint64_t last = pictureOf(tray);
    while (Clock::now() - start < span) {
        Sleep(100);
        const std::uint64_t now = pictureOf(tray);
        if (now != last) changes.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        last = now;
    }
    return changes;
}

std::string listed(const std::vector<double>& times) {
    std::string text;
    for (double t : times) text += std::to_string(t).substr(0, 5) + " ";
    return text;
}

}  // namespace

E2E_SCENARIO(tray_icon_fills_as_the_period_passes_and_stands_still_when_stopped) {
    // A one-minute period moves the ring every 3.75 s.
    settings::storeReminding({.minutes = "1", .audio = true});
    settings::set("Tray Icon Shows Progress", "On");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND tray = nullptr;
    E2E_REQUIRE(waitUntil([&] { return (tray = trayWithOurIcon()) != nullptr; }, 5s));

    const std::vector<double> counting = changesWithin(tray, 12s);
    note("changes while counting, s: " + listed(counting));
    E2E_CHECK(counting.size() >= 2 && counting.size() <= 4);
    // A step is 3 or 4 ticks of the countdown: the icon never changes at every tick, so
    // nothing is handed to the shell that it already shows.
    for (size_t i = 1; i < counting.size(); ++i) E2E_CHECK(counting[i] - counting[i - 1] > 2.0);

    const std::uint64_t counted = pictureOf(tray);
    click(child(main, id::PushButton3));  // stop
    Sleep(1000);  // the tray draws what it was given
    E2E_CHECK(pictureOf(tray) != counted);
    const std::vector<double> stopped = changesWithin(tray, 6s);
    note("changes once stopped, s: " + listed(stopped));
    E2E_CHECK_EQ(stopped.size(), size_t{0});  // the stopped picture came with the click
}

// Figures for docs/benchmarks.md: how often the icon changes over ten minutes of a 45-minute
// period, and the program's processor time meanwhile. RP_TRAY_SECONDS shortens the watch;
// RP_TRAY_OFF=1 watches the program with the choice off, for its processor time.
E2E_MEASURE(tray_icon_redraws_over_ten_minutes) {
    const char* seconds = std::getenv("RP_TRAY_SECONDS");
    const Duration span = std::chrono::seconds(seconds ? std::atoi(seconds) : 600);
    settings::storeReminding({.minutes = "45"});
    settings::set("Tray Icon Shows Progress", std::getenv("RP_TRAY_OFF") ? "Off" : "On");
    App app = App::start(ctx);
    app.mainWindow();
    HWND tray = nullptr;
    E2E_REQUIRE(waitUntil([&] { return (tray = trayWithOurIcon()) != nullptr; }, 5s));
    const auto process = LinuxProcess::find(ctx.appPath);
    const long long ticksBefore = process ? process->cpuTicks() : -1;
    const std::vector<double> changes = changesWithin(tray, span);
    const long long ticks = process ? process->cpuTicks() - ticksBefore : -1;
    std::printf("  the tray icon changed %zu times in %lld s, at s: %s\n  processor time meanwhile: %lld ms\n",
                changes.size(), static_cast<long long>(span.count() / 1000), listed(changes).c_str(), ticks * 10);
    std::fflush(stdout);
}
