// e2e_driver.exe <scenario> [--app PATH]   runs one scenario (exit 0 = pass)
// e2e_driver.exe --list                    names the CTest scenarios
// e2e_driver.exe --list-all                names every scenario, measurements too
//
// PATH may be a Windows path or, as CTest passes it, a Unix path; without
// --app the driver looks for RespitePrompter.exe in its own folder.
#include "e2e.h"

#include <cstdio>
#include <string>

namespace {

// Under Wine, kernel32 can translate Unix paths; elsewhere the path is used as it is.
std::wstring toWindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos) {
        if (WCHAR* dos = toDos(e2e::narrow(path).c_str())) {
            std::wstring result(dos);
            HeapFree(GetProcessHeap(), 0, dos);
            return result;
        }
    }
    std::wstring result = L"Z:" + path;
    for (auto& c : result)
        if (c == L'/') c = L'\\';
    return result;
}

std::wstring besideDriver(const wchar_t* name) {
    wchar_t self[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Under Wine the program cannot open a window without an X display; say so up front.
void warnIfNoDisplay() {
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return;
    if (GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0) {
        std::printf("note: DISPLAY is not set, so no window can open (scripts/test starts Xvfb)\n");
    }
}

int usage() {
    std::printf("usage: e2e_driver <scenario> [--app PATH] | --list | --list-all\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::string scenario;
    e2e::Context ctx;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--app" && i + 1 < argc) {
            ctx.appPath = toWindowsPath(argv[++i]);
        } else if (arg == L"--list" || arg == L"--list-all") {
            for (const auto& s : e2e::scenarios())
                if (arg == L"--list-all" || !s.measureOnly) std::printf("%s\n", s.name);
            return 0;
        } else if (!arg.empty() && arg[0] != L'-' && scenario.empty()) {
            scenario = e2e::narrow(arg);
        } else {
            return usage();
        }
    }
    if (scenario.empty()) return usage();
    if (ctx.appPath.empty()) ctx.appPath = besideDriver(L"RespitePrompter.exe");

    if (GetFileAttributesW(ctx.appPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("FAIL %s: program not found: %s\n", scenario.c_str(), e2e::narrow(ctx.appPath).c_str());
        return 1;
    }
    warnIfNoDisplay();
    // Windows and the screen in real pixels, as the program (per-monitor DPI aware) sees them,
    // not scaled down to 96 dots per inch.
    SetProcessDPIAware();
    return e2e::runScenario(scenario, ctx);
}
