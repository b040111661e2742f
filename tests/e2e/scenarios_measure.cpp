// Figures, not checks: how long the program takes to show its window and how
// much memory it then uses. Run with `e2e_driver.exe measure`; scripts/test
// prints the output after the e2e tests.
#include "e2e.h"

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
