// Figures for a release, run by scripts/soak and scripts/bench (not CTest tests):
//
//   soak   many breaks in a row with every reminder on; the program's memory and GUI objects
//          after the first 10 breaks and at the end (RP_SOAK_BREAKS, default 200)
//   bench  launch time, memory after 20 s, processor time while counting, during a break with
//          the break window and during a break that waits for its balloon, as medians of
//          RP_BENCH_RUNS runs (default 5), RP_BENCH_COUNT_SECONDS (default 60)
//
// Each figure is printed on a line "RESULT <name> <value> <unit>" for the scripts to collect.
// Windows's own counters (GetProcessMemoryInfo, GetGuiResources, GetProcessTimes) are printed
// beside those of the program's Linux process, since Wine reports 0 for several of them.
#include "e2e.h"
#include "linux_process.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

using namespace e2e;

namespace {

using Clock = std::chrono::steady_clock;
using Figures = std::map<std::string, std::vector<double>>;

int envInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

void result(const std::string& name, double value, const char* unit) {
    std::printf("RESULT %s %.1f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

struct MemorySample {
    long long rssKiB = -1, pssKiB = -1, ussKiB = -1;       // Linux
    long long workingSetKiB = 0, privateKiB = 0;           // GetProcessMemoryInfo
    DWORD gdiObjects = 0, userObjects = 0, handles = 0;    // GetGuiResources, GetProcessHandleCount
};

MemorySample sampleMemory(const App& app, const std::optional<LinuxProcess>& proc) {
    MemorySample s;
    if (proc) {
        s.rssKiB = proc->statusKiB("VmRSS");
        s.pssKiB = proc->rollupKiB("Pss");
        s.ussKiB = proc->rollupKiB("Private_Clean") + proc->rollupKiB("Private_Dirty");
    }
    PROCESS_MEMORY_COUNTERS_EX mem{};
    mem.cb = sizeof mem;
    if (GetProcessMemoryInfo(app.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem)) {
        s.workingSetKiB = static_cast<long long>(mem.WorkingSetSize / 1024);
        s.privateKiB = static_cast<long long>(mem.PrivateUsage / 1024);
    }
    s.gdiObjects = GetGuiResources(app.process(), GR_GDIOBJECTS);
    s.userObjects = GetGuiResources(app.process(), GR_USEROBJECTS);
    GetProcessHandleCount(app.process(), &s.handles);
    return s;
}

template <typename Field>
double least(const std::vector<MemorySample>& samples, Field field) {
    double value = 1e18;
    for (const auto& s : samples) value = std::min(value, static_cast<double>(s.*field));
    return value;
}
template <typename Field>
double most(const std::vector<MemorySample>& samples, Field field) {
    double value = -1e18;
    for (const auto& s : samples) value = std::max(value, static_cast<double>(s.*field));
    return value;
}

// The least and the most of each figure over a few samples in a row.
void report(const std::string& label, const std::vector<MemorySample>& samples) {
    auto both = [&](auto field) {
        return std::to_string(static_cast<long long>(least(samples, field))) + "-" +
               std::to_string(static_cast<long long>(most(samples, field)));
    };
    std::printf("SAMPLE %s: Linux RSS %s KiB, PSS %s KiB, USS %s KiB; working set %s KiB, private bytes %s KiB; "
                "GDI objects %s, USER objects %s, handles %s\n",
                label.c_str(), both(&MemorySample::rssKiB).c_str(), both(&MemorySample::pssKiB).c_str(),
                both(&MemorySample::ussKiB).c_str(),
                both(&MemorySample::workingSetKiB).c_str(), both(&MemorySample::privateKiB).c_str(),
                both(&MemorySample::gdiObjects).c_str(), both(&MemorySample::userObjects).c_str(),
                both(&MemorySample::handles).c_str());
    std::fflush(stdout);
}

// User plus kernel time of the process by GetProcessTimes, in milliseconds.
double windowsCpuMs(const App& app) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(app.process(), &created, &exited, &kernel, &user)) return -1;
    auto ms = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

double linuxCpuMs(const std::optional<LinuxProcess>& proc) {
    const long long ticks = proc ? proc->cpuTicks() : -1;
    return ticks < 0 ? -1 : ticks * 10.0;  // ticks of 1/100 s
}

// Processor time used so far, in milliseconds (-1 where unknown): the program's by its Linux
// process and by GetProcessTimes, and the wineserver's, which works for every Wine process of
// the prefix (the driver's too).
struct CpuTimes {
    double linuxMs, windowsMs, wineserverMs;
};

struct CpuMeter {
    std::optional<LinuxProcess> program, wineserver;

    CpuTimes now(const App& app) const {
        return {linuxCpuMs(program), windowsCpuMs(app), linuxCpuMs(wineserver)};
    }
    // Adds the time used since `from` as the figures cpu_ms_<phase>,
    // cpu_ms_<phase>_getprocesstimes and wineserver_cpu_ms_<phase>.
    void addSince(Figures& figures, const std::string& phase, const CpuTimes& from, const App& app) const {
        const CpuTimes to = now(app);
        auto used = [](double before, double after) { return before < 0 || after < 0 ? -1 : after - before; };
        figures["cpu_ms_" + phase].push_back(used(from.linuxMs, to.linuxMs));
        figures["cpu_ms_" + phase + "_getprocesstimes"].push_back(used(from.windowsMs, to.windowsMs));
        figures["wineserver_cpu_ms_" + phase].push_back(used(from.wineserverMs, to.wineserverMs));
    }
};

// Waits for the next break window. Wine never tells a program that its balloon went away, so
// the driver says so for it (NIN_BALLOONTIMEOUT), over and over until the window shows: a
// notice that comes before the balloon only costs that break the 30 s wait.
HWND nextBreakWindow(const App& app, HWND tray, Duration timeout) {
    HWND window = nullptr;
    const auto start = Clock::now();
    while (!(window = findWindow(breakWindowOf(app))) && Clock::now() - start < timeout) {
        if (tray) PostMessageW(tray, ui::kTrayCallback, 0, NIN_BALLOONTIMEOUT);
        std::this_thread::sleep_for(100ms);
    }
    return window;
}

bool breakWindowGone(HWND window, Duration timeout) {
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

// Over the whole soak the program's RSS steps between two values about 1 MB apart from one
// break to the next (a mapping that comes and goes), so each sample is the least and the most
// seen after ten breaks in a row: breaks 10 to 19, and the last ten. A leak raises the least.
// PSS also moves when other Wine processes map the same libraries; USS (the process's private
// pages) does not.
E2E_MEASURE(soak) {
    const int breaks = std::max(envInt("RP_SOAK_BREAKS", 200), 30);
    // A break on every tick; the window rests one second.
    settings::storeReminding({.minutes = "0", .audio = true, .balloon = true, .window = true});
    App app = App::start(ctx);
    HWND main = app.mainWindow(30s);
    HWND tray = trayWindow(main);
    const auto proc = LinuxProcess::find(ctx.appPath);
    if (!proc) note("the program's Linux process was not found under Z:\\proc");
    else note("the program's Linux process: " + proc->pid());

    const auto start = Clock::now();
    std::vector<MemorySample> first, last;
    for (int n = 1; n <= breaks; ++n) {
        HWND window = nextBreakWindow(app, tray, 60s);
        E2E_REQUIRE(window != nullptr);
        E2E_REQUIRE(breakWindowGone(window, 60s));
        const MemorySample sample = sampleMemory(app, proc);
        std::printf("TRACE break %d: RSS %lld KiB, PSS %lld KiB, USS %lld KiB\n", n, sample.rssKiB,
                    sample.pssKiB, sample.ussKiB);
        if (n >= 10 && n < 20) first.push_back(sample);
        if (n > breaks - 10) last.push_back(sample);
    }
    result("breaks", breaks, "breaks");
    result("soak_seconds", std::chrono::duration<double>(Clock::now() - start).count(), "s");
    report("after_10_breaks", first);
    report("at_the_end", last);
    auto growth = [&](const char* name, auto field, bool ofMost) {
        auto pick = [&](const auto& samples) { return ofMost ? most(samples, field) : least(samples, field); };
        result(name, pick(last) - pick(first), "KiB or objects");
    };
    growth("rss_growth_least", &MemorySample::rssKiB, false);
    growth("rss_growth_most", &MemorySample::rssKiB, true);
    growth("pss_growth_least", &MemorySample::pssKiB, false);
    growth("pss_growth_most", &MemorySample::pssKiB, true);
    growth("uss_growth_least", &MemorySample::ussKiB, false);
    growth("uss_growth_most", &MemorySample::ussKiB, true);
    growth("gdi_growth", &MemorySample::gdiObjects, true);
    growth("user_growth", &MemorySample::userObjects, true);
    growth("handle_growth", &MemorySample::handles, true);
    E2E_CHECK(IsWindow(main));
    E2E_CHECK(app.running());
    E2E_CHECK(!findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}));
}

E2E_MEASURE(bench) {
    const int runs = std::max(envInt("RP_BENCH_RUNS", 5), 1);
    const int countSeconds = std::max(envInt("RP_BENCH_COUNT_SECONDS", 60), 1);
    constexpr auto kBalloonWait = 25s;  // of the 30 s the program waits for its balloon
    CpuMeter cpu{std::nullopt, LinuxProcess::wineserver()};
    if (!cpu.wineserver) note("the prefix's wineserver was not found under Z:\\proc");
    Figures figures;
    for (int run = 1; run <= runs; ++run) {
        {
            // Counting 45 minutes, the break window the only reminder.
            settings::storeReminding({.minutes = "45", .window = true});
            App app = App::start(ctx);
            HWND main = app.mainWindow(30s);
            figures["launch_to_window_ms"].push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - app.startedAt()).count());
            cpu.program = LinuxProcess::find(ctx.appPath);
            E2E_REQUIRE(cpu.program.has_value());

            std::this_thread::sleep_until(app.startedAt() + 20s);
            const MemorySample mem = sampleMemory(app, cpu.program);
            figures["rss_kib_at_20s"].push_back(mem.rssKiB);
            figures["pss_kib_at_20s"].push_back(mem.pssKiB);
            figures["working_set_kib_at_20s"].push_back(mem.workingSetKiB);
            figures["private_kib_at_20s"].push_back(mem.privateKiB);
            figures["gdi_objects_at_20s"].push_back(mem.gdiObjects);
            figures["user_objects_at_20s"].push_back(mem.userObjects);

            const CpuTimes counting = cpu.now(app);
            std::this_thread::sleep_for(std::chrono::seconds(countSeconds));
            cpu.addSince(figures, "counting", counting, app);
            E2E_CHECK(contains(text(child(main, id::Frame1)), "Next break will occur in 00:4"));

            // "0" minutes: the next tick breaks, and the window rests one second.
            setText(child(main, id::Text1), "0");
            HWND window = nextBreakWindow(app, nullptr, 10s);
            E2E_REQUIRE(window != nullptr);
            const auto shown = Clock::now();
            const CpuTimes inBreak = cpu.now(app);
            E2E_REQUIRE(breakWindowGone(window, 30s));
            figures["break_window_ms"].push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - shown).count());
            cpu.addSince(figures, "break", inBreak, app);
            app.close();
        }
        {
            // The balloon the only reminder and "0" minutes: the first tick, a second after the
            // window shows, is a break that waits 30 s for the balloon to go (Wine never says so).
            settings::storeReminding({.minutes = "0", .balloon = true});
            App app = App::start(ctx);
            app.mainWindow(30s);
            const auto shown = Clock::now();
            cpu.program = LinuxProcess::find(ctx.appPath);
            E2E_REQUIRE(cpu.program.has_value());
            // Wine shows the balloon about two seconds into the wait.
            E2E_REQUIRE(waitUntil([&] { return !shellBalloons(app.pid()).empty(); }));
            const CpuTimes waiting = cpu.now(app);
            std::this_thread::sleep_for(kBalloonWait);
            cpu.addSince(figures, "balloon_wait", waiting, app);
            E2E_CHECK(Clock::now() - shown < 30s);  // all of it inside the wait
            E2E_CHECK(app.close(3s).has_value());    // which a close ends at once
        }

        std::printf("run %d:", run);
        for (const auto& [name, values] : figures) std::printf(" %s=%.0f", name.c_str(), values.back());
        std::printf("\n");
        std::fflush(stdout);
    }
    result("runs", runs, "runs");
    result("count_seconds", countSeconds, "s");
    result("balloon_wait_seconds", std::chrono::duration<double>(kBalloonWait).count(), "s");
    for (const auto& [name, values] : figures) result(name, median(values), "median");
}
