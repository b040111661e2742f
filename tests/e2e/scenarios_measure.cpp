// Figures, not checks: how long the program takes to show its window and how
// much memory it then uses. Run with `e2e_driver.exe measure`; scripts/test
// prints the output after the e2e tests.
#include "e2e.h"
#include "linux_process.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <thread>

using namespace e2e;

E2E_MEASURE(measure) {
    constexpr int kRuns = 3;
    std::vector<long long> startupMs;
    for (int run = 1; run <= kRuns; ++run) {
        settings::clear();
        App app = App::start(ctx);
        HWND main = app.mainWindow(30s);
        auto shown = std::chrono::steady_clock::now();
        startupMs.push_back(std::chrono::duration_cast<Duration>(shown - app.startedAt()).count());

        // Let start-up settle before reading the memory figures.
        std::this_thread::sleep_for(1s);
        PROCESS_MEMORY_COUNTERS_EX mem{};
        mem.cb = sizeof mem;
        if (!GetProcessMemoryInfo(app.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem)) {
            note("GetProcessMemoryInfo failed: error " + std::to_string(GetLastError()));
        }
        std::printf("  run %d: window visible after %lld ms; working set %lu KiB (peak %lu KiB), "
                    "private bytes %lu KiB (Wine may report 0), pagefile %lu KiB\n",
                    run, startupMs.back(), static_cast<unsigned long>(mem.WorkingSetSize / 1024),
                    static_cast<unsigned long>(mem.PeakWorkingSetSize / 1024),
                    static_cast<unsigned long>(mem.PrivateUsage / 1024),
                    static_cast<unsigned long>(mem.PagefileUsage / 1024));
        std::fflush(stdout);
        E2E_CHECK(main != nullptr);
    }
    std::sort(startupMs.begin(), startupMs.end());
    std::printf("  start-up to visible main window: median %lld ms of %d runs (polled every %lld ms)\n",
                startupMs[kRuns / 2], kRuns, static_cast<long long>(kPollInterval.count()));
}

// Figures for docs/benchmarks.md: the program's processor time a minute during a five-minute
// guided break, without exercises and with them (static pictures, then the breathing pacer,
// which comes 160 s into the first break of the fixed order), and its memory meanwhile.
E2E_MEASURE(exercise_break_cost) {
    const auto during = [](const LinuxProcess& process, Duration span) {
        const long long before = process.cpuTicks();
        std::this_thread::sleep_for(span);
        return (process.cpuTicks() - before) * 10 * 60000 / span.count();  // ms a minute
    };
    for (const bool exercises : {false, true}) {
        settings::storeReminding({.minutes = "0"});
        settings::set("Break Length", "5");
        settings::set("Show Exercises", exercises ? "On" : "Off");
        App app = App::start(ctx);
        app.mainWindow();
        HWND window = waitForWindow({"Break Time", "RespitePrompterFormBreak", app.pid(), true}, 5s);
        E2E_REQUIRE(window != nullptr);
        const auto process = LinuxProcess::find(ctx.appPath);
        E2E_REQUIRE(process.has_value());
        const auto at = [&](const char* timeLeft) {
            E2E_REQUIRE(waitUntil([&] { return text(child(window, 1401)) == timeLeft; }, 200s));
        };
        const char* kind = exercises ? "exercises" : "none";
        at("04:55");
        std::printf("RESULT cpu_ms_a_minute_%s %lld ms\n", kind, during(*process, 30s));
        std::printf("RESULT rss_kib_%s %lld KiB\n", kind, process->statusKiB("VmRSS"));
        at("02:38");  // 162 s in: the pacer's turn with exercises, the same moment without
        std::printf("RESULT cpu_ms_a_minute_%s_at_162s %lld ms\n", kind, during(*process, 50s));
        std::printf("RESULT rss_kib_%s_at_212s %lld KiB\n", kind, process->statusKiB("VmRSS"));
        std::fflush(stdout);
    }
}
