#include "e2e.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>
#include <type_traits>
#include <utility>

namespace e2e {

namespace {

int g_failures = 0;

DWORD ms(Duration d) { return static_cast<DWORD>(d.count()); }

std::string win32Error(DWORD code) {
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::string msg = "error " + std::to_string(code);
    if (n && buf) {
        std::wstring w(buf, n);
        while (!w.empty() && (w.back() == L'\n' || w.back() == L'\r' || w.back() == L' ')) w.pop_back();
        msg += " (" + narrow(w) + ")";
    }
    if (buf) LocalFree(buf);
    return msg;
}

// SendMessageTimeout for a window of another process: a hung program fails
// the scenario instead of hanging the driver.
LRESULT sendChecked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const char* what,
                    Duration timeout = 5s) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, ms(timeout), &result)) {
        fail(__FILE__, __LINE__,
             std::string(what) + " on window " + describe(hwnd) + ": " + win32Error(GetLastError()));
    }
    return static_cast<LRESULT>(result);
}

std::wstring windowClass(HWND hwnd) {
    wchar_t buf[256] = {};
    int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring windowCaption(HWND hwnd) {
    // GetWindowText reads another process's caption without sending it a message.
    int len = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    int n = GetWindowTextW(hwnd, s.data(), len + 1);
    s.resize(n > 0 ? n : 0);
    return s;
}

using WindowVisitor = std::function<bool(HWND)>;  // returns false to stop

BOOL CALLBACK visitThunk(HWND hwnd, LPARAM lp) {
    return (*reinterpret_cast<const WindowVisitor*>(lp))(hwnd) ? TRUE : FALSE;
}

// Top-level windows when `parent` is null, else every descendant of `parent`.
void forEachWindow(HWND parent, const WindowVisitor& visit) {
    auto lp = reinterpret_cast<LPARAM>(&visit);
    if (parent)
        EnumChildWindows(parent, visitThunk, lp);
    else
        EnumWindows(visitThunk, lp);
}

bool matches(HWND hwnd, const WindowQuery& q) {
    if (q.pid) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != q.pid) return false;
    }
    if (q.visibleOnly && !IsWindowVisible(hwnd)) return false;
    if (q.className && windowClass(hwnd) != widen(*q.className)) return false;
    if (q.caption && windowCaption(hwnd) != widen(*q.caption)) return false;
    return true;
}

}  // namespace

// --- checks ---------------------------------------------------------------------

void recordFailure(const char* file, int line, const std::string& what) {
    ++g_failures;
    const char* base = file;
    for (const char* p = file; *p; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    std::printf("  FAILED %s:%d: %s\n", base, line, what.c_str());
    std::fflush(stdout);
}

void fail(const char* file, int line, const std::string& what) {
    recordFailure(file, line, what);
    throw Failure(what);
}

int failureCount() { return g_failures; }

std::string describe(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '"': out += "\\\""; break;
            default: out += c;
        }
    }
    return out + "\"";
}

std::string describe(const char* s) { return s ? describe(std::string(s)) : "(null)"; }
std::string describe(bool b) { return b ? "true" : "false"; }

std::string describe(HWND h) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)));
    return buf;
}

void note(const std::string& line) {
    std::printf("  %s\n", line.c_str());
    std::fflush(stdout);
}

// --- scenarios --------------------------------------------------------------------

std::vector<Scenario>& scenarios() {
    static std::vector<Scenario> all;
    return all;
}

int runScenario(const std::string& name, Context& ctx) {
    auto& all = scenarios();
    auto it = std::find_if(all.begin(), all.end(), [&](const Scenario& s) { return name == s.name; });
    if (it == all.end()) {
        std::printf("unknown scenario '%s'; known:", name.c_str());
        for (const auto& s : all) std::printf(" %s", s.name);
        std::printf("\n");
        return 2;
    }
    g_failures = 0;
    std::printf("scenario %s\n", it->name);
    std::fflush(stdout);
    auto start = std::chrono::steady_clock::now();
    try {
        it->fn(ctx);
    } catch (const Failure&) {
        // already recorded
    } catch (const std::exception& e) {
        recordFailure(__FILE__, __LINE__, std::string("exception: ") + e.what());
    }
    auto took = std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - start);
    if (g_failures == 0) {
        std::printf("PASS %s (%lld ms)\n", it->name, static_cast<long long>(took.count()));
    } else {
        std::printf("FAIL %s: %d failed check(s) (%lld ms)\n", it->name, g_failures,
                    static_cast<long long>(took.count()));
    }
    std::fflush(stdout);
    return g_failures == 0 ? 0 : 1;
}

// --- waiting --------------------------------------------------------------------

bool waitUntil(const std::function<bool()>& done, Duration timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

// --- App ----------------------------------------------------------------------------

App::App(HANDLE process, HANDLE job, DWORD pid)
    : process_(process), job_(job), pid_(pid), startedAt_(std::chrono::steady_clock::now()) {}

App::App(App&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      job_(std::exchange(other.job_, nullptr)),
      pid_(other.pid_),
      startedAt_(other.startedAt_) {}

App::~App() {
    if (process_) {
        if (running()) kill();
        CloseHandle(process_);
    }
    if (job_) CloseHandle(job_);  // kill-on-close: takes along anything the program started
}

App App::start(const Context& ctx, const std::wstring& arguments) {
    std::wstring folder = ctx.appPath.substr(0, ctx.appPath.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + ctx.appPath + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    auto before = std::chrono::steady_clock::now();
    if (!CreateProcessW(ctx.appPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, folder.c_str(), &si, &pi)) {
        fail(__FILE__, __LINE__, "cannot start " + narrow(ctx.appPath) + ": " + win32Error(GetLastError()));
    }

    // A job that kills the program when the driver goes away, however it ends.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
            !AssignProcessToJobObject(job, pi.hProcess)) {
            CloseHandle(job);
            job = nullptr;
        }
    }
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);

    App app(pi.hProcess, job, pi.dwProcessId);
    app.startedAt_ = before;
    return app;
}

bool App::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool App::waitForExit(Duration timeout) const {
    return WaitForSingleObject(process_, ms(timeout)) == WAIT_OBJECT_0;
}

void App::kill() {
    if (!running()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

HWND App::mainWindow(Duration timeout) const {
    WindowQuery q{ui::kMainCaption, ui::kMainClass, pid_, true};
    bool exited = false;
    HWND hwnd = nullptr;
    waitUntil([&] {
        hwnd = findWindow(q);
        exited = !running();
        return hwnd || exited;
    }, timeout);
    if (hwnd) return hwnd;

    std::string why = "main window \"" + std::string(ui::kMainCaption) + "\" not visible";
    if (exited) {
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        why += ": the program exited with code " + std::to_string(code);
    } else {
        why += " after " + std::to_string(timeout.count()) + " ms";
        if (HWND box = findWindow({std::nullopt, ui::kDialogClass, pid_, true})) {
            why += "; a dialog is open: " + describe(narrow(windowCaption(box)));
            if (HWND t = findChild(box, id::MessageBoxText)) why += " " + describe(text(t));
        }
    }
    fail(__FILE__, __LINE__, why);
}

std::optional<DWORD> App::close(Duration timeout) {
    if (HWND main = findWindow({ui::kMainCaption, ui::kMainClass, pid_, false})) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        if (waitForExit(timeout)) {
            DWORD code = 0;
            GetExitCodeProcess(process_, &code);
            return code;
        }
    }
    kill();
    return std::nullopt;
}

std::string App::imagePath() const {
    wchar_t buf[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process_, 0, buf, &size)) {
        fail(__FILE__, __LINE__, "QueryFullProcessImageName: " + win32Error(GetLastError()));
    }
    return narrow(std::wstring(buf, size));
}

std::string App::folder() const {
    std::string path = imagePath();
    return path.substr(0, path.find_last_of('\\'));
}

// --- windows and controls --------------------------------------------------------

std::vector<HWND> findWindows(const WindowQuery& q) {
    std::vector<HWND> found;
    forEachWindow(nullptr, [&](HWND hwnd) {
        if (matches(hwnd, q)) found.push_back(hwnd);
        return true;
    });
    return found;
}

HWND findWindow(const WindowQuery& q) {
    auto all = findWindows(q);
    return all.empty() ? nullptr : all.front();
}

HWND waitForWindow(const WindowQuery& q, Duration timeout) {
    HWND hwnd = nullptr;
    waitUntil([&] { return (hwnd = findWindow(q)) != nullptr; }, timeout);
    return hwnd;
}

bool waitForWindowGone(HWND hwnd, Duration timeout) {
    return waitUntil([&] { return !IsWindow(hwnd); }, timeout);
}

HWND findChild(HWND parent, int controlId) {
    HWND found = nullptr;
    forEachWindow(parent, [&](HWND hwnd) {
        if (GetDlgCtrlID(hwnd) != controlId) return true;
        found = hwnd;
        return false;
    });
    return found;
}

HWND child(HWND parent, int controlId) {
    HWND hwnd = findChild(parent, controlId);
    if (!hwnd) fail(__FILE__, __LINE__, "no control with id " + std::to_string(controlId));
    return hwnd;
}

std::vector<HWND> findChildrenByClass(HWND parent, const std::string& cls) {
    std::wstring wanted = widen(cls);
    std::vector<HWND> found;
    forEachWindow(parent, [&](HWND hwnd) {
        if (windowClass(hwnd) == wanted) found.push_back(hwnd);
        return true;
    });
    return found;
}

std::string className(HWND hwnd) { return narrow(windowClass(hwnd)); }

std::vector<COLORREF> clientPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels;
    const auto* pixel = static_cast<const DWORD*>(bits);
    for (LONG i = 0; pixel && i < client.right * client.bottom; ++i)
        pixels.push_back(RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF));
    SelectObject(memory, before);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

HWND anyMainWindow(const App& app) {
    return waitForWindow({ui::kMainCaption, ui::kMainClass, app.pid(), false});
}

void minimise(HWND main) {
    ShowWindow(main, SW_MINIMIZE);
    E2E_REQUIRE(waitUntil([&] { return !visible(main); }));
}

WindowQuery breakWindowOf(const App& app) { return {ui::kBreakCaption, ui::kBreakClass, app.pid(), true}; }

HWND trayWindow(HWND main) {
    std::vector<HWND> found;
    waitUntil([&] { return !(found = findChildrenByClass(main, ui::kTrayClass)).empty(); });
    if (found.size() != 1) fail(__FILE__, __LINE__, "tray control windows: " + describe(found.size()));
    return found[0];
}

std::vector<HWND> shellBalloons(DWORD exceptPid) {
    std::vector<HWND> balloons;
    for (HWND hwnd : findWindows({std::nullopt, "tooltips_class32", 0, true})) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != exceptPid && (GetWindowLongW(hwnd, GWL_STYLE) & TTS_BALLOON)) balloons.push_back(hwnd);
    }
    return balloons;
}

std::vector<std::string> toolTexts(HWND tooltip) {
    std::vector<std::string> texts;
    DWORD pid = 0;
    GetWindowThreadProcessId(tooltip, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return texts;
    // The tip window reads TOOLINFOW as its own process lays it out: a 64-bit one (Wine's tray
    // under WoW64) with 8-byte handles and pointers.
    BOOL driverOnWow64 = FALSE, tipOnWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &driverOnWow64);
    IsWow64Process(process, &tipOnWow64);
    const bool wide = driverOnWow64 && !tipOnWow64;
    const UINT infoSize = wide ? 72 : sizeof(TOOLINFOW);
    const size_t textOffset = wide ? 48 : offsetof(TOOLINFOW, lpszText);
    constexpr size_t kTextAt = 512, kTextChars = 512;
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    DWORD_PTR count = 0;
    if (remote) SendMessageTimeoutW(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        char info[72] = {};
        std::memcpy(info, &infoSize, sizeof infoSize);
        const std::uint64_t textAddress = reinterpret_cast<std::uintptr_t>(remote + kTextAt);
        std::memcpy(info + textOffset, &textAddress, wide ? 8 : 4);
        wchar_t text[kTextChars] = {};
        DWORD_PTR found = 0;
        if (WriteProcessMemory(process, remote, info, infoSize, nullptr) &&
            WriteProcessMemory(process, remote + kTextAt, text, sizeof text, nullptr) &&
            SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000,
                                &found) &&
            found && ReadProcessMemory(process, remote + kTextAt, text, sizeof text - sizeof(wchar_t), nullptr))
            texts.push_back(narrow(text));
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return texts;
}

std::string text(HWND hwnd) {
    auto len = sendChecked(hwnd, WM_GETTEXTLENGTH, 0, 0, "WM_GETTEXTLENGTH");
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    auto n = sendChecked(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), "WM_GETTEXT");
    buf.resize(static_cast<size_t>(std::clamp<LRESULT>(n, 0, len)));
    return narrow(buf);
}

void setText(HWND hwnd, const std::string& value) {
    std::wstring w = widen(value);
    if (!sendChecked(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), "WM_SETTEXT")) {
        fail(__FILE__, __LINE__, "WM_SETTEXT refused by window " + describe(hwnd));
    }
}

bool visible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }
bool enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

int checkState(HWND hwnd) { return static_cast<int>(sendChecked(hwnd, BM_GETCHECK, 0, 0, "BM_GETCHECK")); }
bool checked(HWND hwnd) { return checkState(hwnd) == BST_CHECKED; }

void click(HWND button) { sendChecked(button, BM_CLICK, 0, 0, "BM_CLICK", 10s); }

void postClick(HWND button) { post(button, BM_CLICK); }

void post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(hwnd, msg, wParam, lParam)) {
        fail(__FILE__, __LINE__, "PostMessage to " + describe(hwnd) + ": " + win32Error(GetLastError()));
    }
}

// --- the Options window, the scale, real input -------------------------------------

HWND openOptions(const App& app, HWND main) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        post(main, WM_SYSCOMMAND, 0x1000 /* "Options..." */);
        if (HWND window = waitForWindow({"Options", "RespitePrompterFormOptions", app.pid(), true}, 1s)) return window;
    }
    return nullptr;
}

void changeScale(const App& app, HWND window, int dpi, const RECT& suggested) {
    void* remote = VirtualAllocEx(app.process(), nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    E2E_REQUIRE(remote != nullptr);
    E2E_REQUIRE(WriteProcessMemory(app.process(), remote, &suggested, sizeof suggested, nullptr));
    DWORD_PTR result = 0;
    E2E_REQUIRE(SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                                    SMTO_ABORTIFHUNG, 5000, &result));
    VirtualFreeEx(app.process(), remote, 0, MEM_RELEASE);
}

namespace {

// Runs a Linux program as Wine starts one (its path on the Unix side) and waits for its end.
bool runUnix(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

}  // namespace

void xdotool(const std::string& arguments) {
    E2E_REQUIRE(runUnix(L"C:\\windows\\system32\\start.exe /wait /unix /usr/bin/xdotool " +
                        std::wstring(arguments.begin(), arguments.end())));
}

void clickOn(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    xdotool("mousemove " + std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2) +
            " click 1");
}

// --- message boxes ------------------------------------------------------------------

std::optional<MsgBox> waitForMessageBox(const std::string& title, DWORD pid, Duration timeout) {
    HWND dlg = waitForWindow({title, ui::kDialogClass, pid, true}, timeout);
    if (!dlg) return std::nullopt;
    MsgBox box{dlg, title, {}};
    if (HWND t = findChild(dlg, id::MessageBoxText)) box.text = text(t);
    return box;
}

bool closeMessageBox(const MsgBox& box, Duration timeout) {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return waitForWindowGone(box.hwnd, timeout);
}

std::wstring statisticsPath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        fail(__FILE__, __LINE__, "no local application-data folder");
    return std::wstring(folder) + L"\\Kelvadore\\Periodic Respite Prompter\\statistics.csv";
}

// --- registry -------------------------------------------------------------------------

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OpenKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

}  // namespace

std::optional<std::string> regGet(HKEY root, const std::wstring& key, const std::string& name, REGSAM view) {
    HKEY raw = nullptr;
    LSTATUS rc = RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &raw);
    if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (rc != ERROR_SUCCESS) fail(__FILE__, __LINE__, "opening " + narrow(key) + ": " + win32Error(rc));
    const OpenKey opened(raw);
    std::wstring wname = widen(name);
    DWORD type = 0, size = 0;
    rc = RegGetValueW(opened.get(), nullptr, wname.c_str(), RRF_RT_ANY, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (rc != ERROR_SUCCESS) fail(__FILE__, __LINE__, "reading " + name + ": " + win32Error(rc));
    if (type != REG_SZ) {
        fail(__FILE__, __LINE__, "value " + name + " has registry type " + std::to_string(type) + ", not REG_SZ");
    }
    std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
    rc = RegGetValueW(opened.get(), nullptr, wname.c_str(), RRF_RT_REG_SZ, nullptr, buf.data(), &size);
    if (rc != ERROR_SUCCESS) fail(__FILE__, __LINE__, "reading " + name + ": " + win32Error(rc));
    buf.resize(wcsnlen(buf.c_str(), buf.size()));
    return narrow(buf);
}

void regSet(HKEY root, const std::wstring& key, const std::string& name, const std::string& value, REGSAM view) {
    HKEY raw = nullptr;
    LSTATUS rc = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &raw, nullptr);
    if (rc != ERROR_SUCCESS) fail(__FILE__, __LINE__, "creating " + narrow(key) + ": " + win32Error(rc));
    const OpenKey opened(raw);
    std::wstring w = widen(value);
    rc = RegSetValueExW(opened.get(), widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                        static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) fail(__FILE__, __LINE__, "writing " + name + ": " + win32Error(rc));
}

void regDeleteValue(HKEY root, const std::wstring& key, const std::string& name) {
    LSTATUS rc = RegDeleteKeyValueW(root, key.c_str(), widen(name).c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
        fail(__FILE__, __LINE__, "deleting " + name + ": " + win32Error(rc));
    }
}

void regDeleteTree(HKEY root, const std::wstring& key) {
    LSTATUS rc = RegDeleteTreeW(root, key.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
        fail(__FILE__, __LINE__, "deleting key " + narrow(key) + ": " + win32Error(rc));
    }
}

namespace settings {
std::optional<std::string> get(const std::string& name) { return regGet(HKEY_CURRENT_USER, kKey, name); }
void set(const std::string& name, const std::string& value) { regSet(HKEY_CURRENT_USER, kKey, name, value); }
void remove(const std::string& name) { regDeleteValue(HKEY_CURRENT_USER, kKey, name); }
void clear() { regDeleteTree(HKEY_CURRENT_USER, kKey); }

bool keyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void storeReminding(const Reminding& r) {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    clear();
    set("Text1", r.minutes);
    set("Check1", flag(r.audio));
    set("Check2", flag(r.balloon));
    set("Check3", flag(r.window));
    set("StartStopState", r.on ? "On" : "Off");
}
}  // namespace settings

InTray startInTray(const Context& ctx) {
    settings::clear();
    settings::set("Windows Startup", "On");
    settings::set("Minimized", "On");
    App app = App::start(ctx);
    HWND main = anyMainWindow(app);
    E2E_REQUIRE(main != nullptr);
    // Start-up stores the start/stop state after it has sent the window to the tray, and then
    // the reminder boxes it turned on from their defaults; Check2 is the last of them.
    E2E_REQUIRE(waitUntil([] { return settings::get("Check2").has_value(); }, 5s));
    E2E_REQUIRE(waitUntil([&] { return !visible(main); }));
    return {std::move(app), main};
}

// --- conversions ------------------------------------------------------------------------

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

}  // namespace e2e
