#include "linux_process.h"

#include "e2e.h"

#include <cctype>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <sstream>
#include <vector>

namespace e2e {

namespace {

std::string procFile(const std::string& pid, const char* name) {
    std::ifstream in("Z:\\proc\\" + pid + "\\" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Fields of /proc/<pid>/stat after the command name: state is [0], utime [11], stime [12],
// starttime [19].
std::vector<std::string> statFields(const std::string& pid) {
    const std::string line = procFile(pid, "stat");
    const auto close = line.rfind(')');
    std::vector<std::string> fields;
    if (close == std::string::npos) return fields;
    std::istringstream rest(line.substr(close + 1));
    for (std::string f; rest >> f;) fields.push_back(f);
    return fields;
}

// The number after "name:" on its own line of a /proc text, in kB.
long long kibAfter(const std::string& text, const std::string& name) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name + ":", 0) != 0) continue;
        std::istringstream value(line.substr(name.size() + 1));
        long long kib = -1;
        value >> kib;
        return kib;
    }
    return -1;
}

// The newest process (the latest start time) for which `wanted(pid)` holds.
std::optional<std::string> newestProcess(const std::function<bool(const std::string&)>& wanted) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> newest;
    long long newestStart = -1;
    do {
        const std::string pid = narrow(entry.cFileName);
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        if (!wanted(pid)) continue;
        const auto fields = statFields(pid);
        if (fields.size() > 19 && std::stoll(fields[19]) > newestStart) {
            newestStart = std::stoll(fields[19]);
            newest = pid;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return newest;
}

}  // namespace

std::optional<LinuxProcess> LinuxProcess::find(const std::wstring& windowsPath) {
    const std::string wanted = lower(narrow(windowsPath));
    const auto pid = newestProcess([&](const std::string& pid) {
        const std::string cmdline = procFile(pid, "cmdline");
        return lower(cmdline.substr(0, cmdline.find('\0'))) == wanted;
    });
    if (!pid) return std::nullopt;
    return LinuxProcess(*pid);
}

std::optional<LinuxProcess> LinuxProcess::wineserver() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix) return std::nullopt;
    // Wine hands its Unix environment down to Windows programs, and the wineserver keeps the
    // one of the wine that started it: one NUL-ended entry of /proc/<pid>/environ.
    const std::string entry = std::string("WINEPREFIX=") + prefix + '\0';
    const auto pid = newestProcess([&](const std::string& pid) {
        return procFile(pid, "comm").rfind("wineserver", 0) == 0 &&
               ('\0' + procFile(pid, "environ")).find('\0' + entry) != std::string::npos;
    });
    if (!pid) return std::nullopt;
    return LinuxProcess(*pid);
}

long long LinuxProcess::statusKiB(const std::string& name) const {
    return kibAfter(procFile(pid_, "status"), name);
}

long long LinuxProcess::rollupKiB(const std::string& name) const {
    return kibAfter(procFile(pid_, "smaps_rollup"), name);
}

bool LinuxProcess::mapsLibrary(const std::string& fileName) const {
    std::istringstream lines(lower(procFile(pid_, "maps")));
    std::string ending(1, '/');
    ending += lower(fileName);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() >= ending.size() && line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    }
    return false;
}

long long LinuxProcess::cpuTicks() const {
    const auto fields = statFields(pid_);
    return fields.size() > 12 ? std::stoll(fields[11]) + std::stoll(fields[12]) : -1;
}

}  // namespace e2e
