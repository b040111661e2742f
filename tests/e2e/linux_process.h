// Under Wine a Windows process is a Linux process too. Its own figures (resident and
// proportional memory, processor time) come from Linux's /proc, which the driver reads
// through Wine's Z: drive; Wine's GetProcessMemoryInfo and GetGuiResources report 0 there.
#pragma once

#include <optional>
#include <string>

namespace e2e {

class LinuxProcess {
public:
    // The newest process whose command line starts with `windowsPath` (as Wine starts a
    // program); none when not under Wine or not running.
    static std::optional<LinuxProcess> find(const std::wstring& windowsPath);
    // The wineserver of the driver's own prefix (the one started with its WINEPREFIX), which
    // does the work of every Wine call that crosses processes; none when not found.
    static std::optional<LinuxProcess> wineserver();

    const std::string& pid() const { return pid_; }
    // A "Name:   1234 kB" line of /proc/<pid>/status (VmRSS, VmHWM, ...), in KiB; -1 if absent.
    long long statusKiB(const std::string& name) const;
    // A line of /proc/<pid>/smaps_rollup (Pss, Rss, Private_Dirty, ...), in KiB; -1 if absent.
    long long rollupKiB(const std::string& name) const;
    // Whether the process has a library mapped (/proc/<pid>/maps), by file name ("winmm.dll").
    bool mapsLibrary(const std::string& fileName) const;
    // User plus system time, in clock ticks (1/100 s); -1 when the process is gone.
    long long cpuTicks() const;

private:
    explicit LinuxProcess(std::string pid) : pid_(std::move(pid)) {}
    std::string pid_;
};

}  // namespace e2e
