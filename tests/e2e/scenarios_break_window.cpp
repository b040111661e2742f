// The sliding break window: with "Full Screen Reminder" on, a break shows the "   Break!" window,
// which rises at the bottom right of the screen, rests, sinks away and lets the countdown go on.
#include "e2e.h"
#include "linux_process.h"

#include <algorithm>
#include <cstdio>

using namespace e2e;

namespace {

using Clock = std::chrono::steady_clock;

// Reminding on with the break window as the only reminder; the box doubles as the stay in seconds.
void remindWithBreakWindowOnly(const std::string& minutes) {
    settings::storeReminding({.minutes = minutes, .window = true});
}

// Looks every millisecond, so that the window is caught at its starting place below the screen.
HWND waitForBreakWindow(const App& app, Duration timeout) {
    const WindowQuery query = breakWindowOf(app);
    for (const auto start = Clock::now(); Clock::now() - start < timeout; Sleep(1)) {
        if (HWND window = findWindow(query)) return window;
    }
    return nullptr;
}

// The break window's top edge, sampled each time it changed, from its first sight until it went.
struct Slide {
    struct Sample {
        double ms;  // since the window was first seen
        LONG top;
    };
    RECT first{};
    std::vector<Sample> tops;
    double goneMs = -1;  // -1: still there when the time ran out

    LONG restTop() const {
        LONG least = tops.empty() ? 0 : tops.front().top;
        for (const auto& s : tops) least = std::min(least, s.top);
        return least;
    }
    // Index of the first sample at the resting place.
    std::size_t restIndex() const {
        const LONG rest = restTop();
        std::size_t i = 0;
        while (i < tops.size() && tops[i].top != rest) ++i;
        return i;
    }
    // Steps on the way up (the first sample is the starting place) and on the way down.
    std::size_t stepsIn() const { return restIndex(); }
    std::size_t stepsOut() const { return tops.size() - 1 - restIndex(); }
    double restedMs() const { return tops[restIndex()].ms; }
    double leftMs() const { return restIndex() + 1 < tops.size() ? tops[restIndex() + 1].ms : -1; }
    bool risesThenSinks() const {
        const std::size_t rest = restIndex();
        for (std::size_t i = 1; i < tops.size(); ++i) {
            if (i <= rest && tops[i].top >= tops[i - 1].top) return false;
            if (i > rest && tops[i].top <= tops[i - 1].top) return false;
        }
        return true;
    }
};

enum class Phase { Rest, Leave };

// Follows the window, polling its place about every millisecond. `at` hears when the window has
// come up to the bottom edge of the screen and when it first moves down.
Slide follow(HWND window, Duration timeout, const std::function<void(Phase)>& at = {}) {
    Slide slide;
    GetWindowRect(window, &slide.first);
    const LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const auto start = Clock::now();
    bool rested = false, leaving = false;
    while (Clock::now() - start < timeout) {
        const double now = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        RECT rect;
        if (!IsWindow(window) || !IsWindowVisible(window) || !GetWindowRect(window, &rect)) {
            slide.goneMs = now;
            break;
        }
        if (slide.tops.empty() || slide.tops.back().top != rect.top) {
            if (rested && !leaving && rect.top > slide.tops.back().top) {
                leaving = true;
                if (at) at(Phase::Leave);
            }
            slide.tops.push_back({now, rect.top});
        }
        if (!rested && rect.bottom <= screenHeight) {
            rested = true;
            if (at) at(Phase::Rest);
        }
        Sleep(1);
    }
    return slide;
}

}  // namespace

// The box at "0": every tick is a break, and the window rests for one second.
E2E_SCENARIO(break_window_rises_rests_and_leaves) {
    remindWithBreakWindowOnly("0");
    App app = App::start(ctx);
    HWND main = app.mainWindow();

    HWND window = waitForBreakWindow(app, 5s);
    E2E_REQUIRE(window != nullptr);
    const Slide slide = follow(window, 10s);

    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    E2E_CHECK_EQ(slide.first.right, screenWidth);  // flush with the right edge
    E2E_REQUIRE(slide.tops.size() > 2);
    E2E_CHECK(slide.risesThenSinks());
    E2E_CHECK(slide.stepsIn() > 10);
    // It comes to rest flush with the bottom of the whole screen, less than a step above it.
    const LONG height = slide.first.bottom - slide.first.top;
    E2E_CHECK(slide.restTop() <= screenHeight - height && slide.restTop() > screenHeight - height - 2);
    E2E_CHECK(slide.goneMs > 0);
    const double restMs = slide.leftMs() - slide.restedMs();
    E2E_CHECK(restMs > 900 && restMs < 2500);
    note("slide-in " + std::to_string(slide.stepsIn()) + " steps in " + std::to_string(int(slide.restedMs())) +
         " ms; rest " + std::to_string(int(restMs)) + " ms; slide-out " + std::to_string(slide.stepsOut()) +
         " steps in " + std::to_string(int(slide.goneMs - slide.leftMs())) + " ms");

    // The countdown went on: with "0" the next tick breaks again and opens a fresh window.
    E2E_CHECK(waitForBreakWindow(app, 5s) != nullptr);
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
    E2E_CHECK(IsWindow(main));
}

// The close button ends the break at once, and the countdown goes on.
E2E_SCENARIO(break_window_close_button_ends_the_break) {
    remindWithBreakWindowOnly("0");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND window = waitForBreakWindow(app, 5s);
    E2E_REQUIRE(window != nullptr);
    post(window, WM_CLOSE);
    E2E_CHECK(waitForWindowGone(window, 2s));
    // The next period of "0" minutes breaks on its first tick: a fresh window.
    HWND next = waitForBreakWindow(app, 5s);
    E2E_CHECK(next != nullptr);
    E2E_CHECK(IsWindow(main));
}

// Figures: how fast the window moves under Wine and what it costs the processor.
E2E_MEASURE(measure_break_window) {
    remindWithBreakWindowOnly("0");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    const auto cpu = LinuxProcess::find(ctx.appPath);
    if (!cpu) note("the program's process was not found under Z:\\proc; no CPU figures");
    HWND window = waitForBreakWindow(app, 5s);
    E2E_REQUIRE(window != nullptr);
    struct Mark {
        Clock::time_point at;
        long long ticks;
    };
    auto mark = [&] { return Mark{Clock::now(), cpu ? cpu->cpuTicks() : 0}; };
    Mark seen = mark(), rested{}, left{};

    // At rest the box is raised to 6: the stay lasts six seconds (and the next period six minutes).
    const Slide slide = follow(window, 30s, [&](Phase phase) {
        if (phase == Phase::Rest) {
            rested = mark();
            setText(child(main, id::Text1), "6");
        } else {
            left = mark();
        }
    });
    const Mark gone = mark();
    E2E_REQUIRE(slide.tops.size() > 2 && slide.goneMs > 0);

    const double inMs = slide.restedMs(), outMs = slide.goneMs - slide.leftMs();
    std::printf("  slide-in: %zu steps in %.0f ms (%.0f steps/s)\n", slide.stepsIn(), inMs,
                slide.stepsIn() * 1000.0 / inMs);
    std::printf("  rest: %.0f ms\n", slide.leftMs() - slide.restedMs());
    std::printf("  slide-out: %zu steps in %.0f ms (%.0f steps/s)\n", slide.stepsOut(), outMs,
                slide.stepsOut() * 1000.0 / outMs);
    if (cpu) {
        auto percent = [](const Mark& from, const Mark& to) {
            const double seconds = std::chrono::duration<double>(to.at - from.at).count();
            return seconds > 0 ? (to.ticks - from.ticks) / seconds : 0.0;  // 100 ticks a second
        };
        std::printf("  CPU of the program's process (Linux pid %s): slide-in %.0f%%, rest %.1f%%, "
                    "slide-out %.0f%%\n",
                    cpu->pid().c_str(), percent(seen, rested), percent(rested, left), percent(left, gone));
    }
    std::fflush(stdout);
}
