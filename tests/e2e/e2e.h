// End-to-end driver library: starts RespitePrompter.exe and works it from
// outside, the way a user (or a screen reader) would: find its windows, read
// texts, click buttons, type into edits, and read what it stored in the
// registry. Strings are UTF-8 here and converted at the Win32 boundary.
//
// A scenario is a function registered by name:
//
//     E2E_SCENARIO(first_run) {
//         e2e::settings::clear();
//         e2e::App app = e2e::App::start(ctx);
//         HWND main = app.mainWindow();
//         E2E_CHECK_EQ(e2e::text(e2e::child(main, e2e::id::Frame1)), "Stopped.");
//     }
//
// `e2e_driver.exe first_run` runs it; the exit code is 0 when every check held.
// CMake registers each E2E_SCENARIO it finds in scenarios_*.cpp as a CTest test.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// ---------------------------------------------------------------------------
// What the program under test looks like from outside.

namespace ui {
inline constexpr char kMainCaption[] = "Periodic Respite Prompter Utility";
inline constexpr char kMainClass[] = "RespitePrompterForm1";
inline constexpr char kBreakCaption[] = "   Break!";
inline constexpr char kBreakClass[] = "RespitePrompterForm2";
inline constexpr char kTrayClass[] = "RespitePrompter.cSysTray";
inline constexpr char kErrorTitle[] = "Application Error";
inline constexpr char kDialogClass[] = "#32770";
// The start of the countdown line in Frame1, before "hh:mm:ss".
inline constexpr char kNextBreak[] = "Next break will occur in ";
// What the shell sends to the tray control's window about the icon (mouse, balloon).
inline constexpr UINT kTrayCallback = WM_USER + 101;
}  // namespace ui

// Control ids of the main window.
namespace id {
inline constexpr int Text1 = 1001;  // minutes
inline constexpr int Text2 = 1002;  // break sound path
inline constexpr int Check1 = 1101;
inline constexpr int Check2 = 1102;
inline constexpr int Check3 = 1103;
inline constexpr int Check4 = 1104;
inline constexpr int Check8 = 1108;
inline constexpr int PushButton3 = 1203;  // "Start Reminding" / "Stop Reminding"
inline constexpr int PushButton4 = 1204;
inline constexpr int PushButton5 = 1205;
inline constexpr int Frame1 = 1301;
inline constexpr int Frame2 = 1302;
inline constexpr int Frame3 = 1303;
inline constexpr int Frame4 = 1304;
inline constexpr int Frame5 = 1305;
inline constexpr int ProgressBar1 = 1401;
inline constexpr int MessageBoxText = 0xFFFF;  // the static holding a message box's text
}  // namespace id

// Default time limit for every wait; polling happens every 20 ms.
inline constexpr Duration kDefaultTimeout = 10s;
inline constexpr Duration kPollInterval = 20ms;

// ---------------------------------------------------------------------------
// Checks. CHECK records a failure and goes on; REQUIRE stops the scenario.

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void recordFailure(const char* file, int line, const std::string& what);
[[noreturn]] void fail(const char* file, int line, const std::string& what);
int failureCount();

std::string describe(const std::string& s);
std::string describe(const char* s);
std::string describe(bool b);
std::string describe(HWND h);
template <typename T>
std::string describe(const T& v) { return std::to_string(v); }
template <typename T>
std::string describe(const std::optional<T>& v) { return v ? describe(*v) : "(none)"; }

template <typename A, typename B>
bool checkEq(const A& a, const B& b, const char* as, const char* bs, const char* file, int line,
             bool fatal) {
    if (a == b) return true;
    std::string what = std::string(as) + " == " + bs + "\n      got:      " + describe(a) +
                       "\n      expected: " + describe(b);
    if (fatal) fail(file, line, what);
    recordFailure(file, line, what);
    return false;
}

#define E2E_CHECK(cond) \
    ((cond) ? true : (::e2e::recordFailure(__FILE__, __LINE__, #cond), false))
#define E2E_REQUIRE(cond) \
    do { if (!(cond)) ::e2e::fail(__FILE__, __LINE__, #cond); } while (0)
#define E2E_CHECK_EQ(a, b) ::e2e::checkEq((a), (b), #a, #b, __FILE__, __LINE__, false)
#define E2E_REQUIRE_EQ(a, b) ::e2e::checkEq((a), (b), #a, #b, __FILE__, __LINE__, true)

// Progress lines, shown by CTest with --output-on-failure.
void note(const std::string& line);

// ---------------------------------------------------------------------------
// Scenarios.

struct Context {
    std::wstring appPath;  // Windows path of RespitePrompter.exe
};

using ScenarioFn = void (*)(Context&);

struct Scenario {
    const char* name;
    ScenarioFn fn;
    bool measureOnly;  // prints figures; not registered as a CTest test
};

std::vector<Scenario>& scenarios();

struct Registrar {
    Registrar(const char* name, ScenarioFn fn, bool measureOnly) {
        scenarios().push_back({name, fn, measureOnly});
    }
};

#define E2E_DEFINE_SCENARIO_(name, measureOnly)                                       \
    static void e2e_scenario_##name(::e2e::Context&);                               \
    static const ::e2e::Registrar e2e_registrar_##name{#name, e2e_scenario_##name, \
                                                       measureOnly};               \
    static void e2e_scenario_##name([[maybe_unused]] ::e2e::Context& ctx)

// Keep each on one line starting at column 0: CMake reads the names from the sources.
#define E2E_SCENARIO(name) E2E_DEFINE_SCENARIO_(name, false)
#define E2E_MEASURE(name) E2E_DEFINE_SCENARIO_(name, true)
// Sets the program up for a picture (scripts/screenshots); not a CTest test either.
#define E2E_POSE(name) E2E_DEFINE_SCENARIO_(name, true)
// Checks a copy that something else started (tests/install); not a CTest test either.
#define E2E_INSPECT(name) E2E_DEFINE_SCENARIO_(name, true)

// Runs one scenario by name; returns the process exit code (0 = pass).
int runScenario(const std::string& name, Context& ctx);

// ---------------------------------------------------------------------------
// Waiting.

// Polls `done` every 20 ms until it returns true or `timeout` passes.
bool waitUntil(const std::function<bool()>& done, Duration timeout = kDefaultTimeout);

// ---------------------------------------------------------------------------
// The program under test.

class App {
public:
    // Starts the exe (suspended, put into a kill-on-close job, then resumed).
    static App start(const Context& ctx, const std::wstring& arguments = L"");

    App(App&& other) noexcept;
    App& operator=(App&&) = delete;
    App(const App&) = delete;
    ~App();  // kills the process if it still runs

    DWORD pid() const { return pid_; }
    HANDLE process() const { return process_; }
    std::chrono::steady_clock::time_point startedAt() const { return startedAt_; }
    bool running() const;

    // The main window, once it exists and is visible; fails the scenario otherwise.
    HWND mainWindow(Duration timeout = kDefaultTimeout) const;

    // Asks the program to close (WM_CLOSE to the main window) and waits for it
    // to exit; returns the exit code, or nullopt if it had to be killed.
    std::optional<DWORD> close(Duration timeout = kDefaultTimeout);
    bool waitForExit(Duration timeout = kDefaultTimeout) const;
    void kill();

    // The exe's path as the program itself sees it (module path of the process).
    std::string imagePath() const;
    std::string folder() const;  // imagePath() without the last "\name"

private:
    App(HANDLE process, HANDLE job, DWORD pid);
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD pid_ = 0;
    std::chrono::steady_clock::time_point startedAt_;
};

// ---------------------------------------------------------------------------
// Windows and controls.

struct WindowQuery {
    std::optional<std::string> caption;    // exact match
    std::optional<std::string> className;  // exact match
    DWORD pid = 0;                         // 0: any process
    bool visibleOnly = false;
};

// Top-level windows (including hidden message-only-style popups) matching `q`.
std::vector<HWND> findWindows(const WindowQuery& q);
HWND findWindow(const WindowQuery& q);  // first match or nullptr
HWND waitForWindow(const WindowQuery& q, Duration timeout = kDefaultTimeout);
bool waitForWindowGone(HWND hwnd, Duration timeout = kDefaultTimeout);

// Any descendant of `parent` (controls may sit inside frames) with this id.
HWND findChild(HWND parent, int controlId);
// Same, but fails the scenario when it is missing.
HWND child(HWND parent, int controlId);
// Descendants of `parent` with this class name.
std::vector<HWND> findChildrenByClass(HWND parent, const std::string& className);

std::string className(HWND hwnd);
// The colours the screen shows in the window's client area, row by row, as 0x00BBGGRR.
std::vector<COLORREF> clientPixels(HWND window);
std::string text(HWND hwnd);  // WM_GETTEXT through SendMessageTimeout
void setText(HWND hwnd, const std::string& value);  // WM_SETTEXT (edits raise EN_CHANGE)
bool visible(HWND hwnd);
bool enabled(HWND hwnd);
int checkState(HWND hwnd);  // BM_GETCHECK: BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
bool checked(HWND hwnd);

// BM_CLICK sent: returns after the program's click handler ran. Never use it
// for a click that may open a modal box; the driver would block until it closes.
void click(HWND button);
// BM_CLICK posted: returns at once. Use for anything that may open a modal box.
void postClick(HWND button);
// Posts a message (for example a tray callback) to a window of the program.
void post(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// The main window whether shown or not.
HWND anyMainWindow(const App& app);
// Minimises the main window the way the user does; it must leave the screen for the tray.
void minimise(HWND main);

// The Options window, opened from the main window's system menu; nullptr when it did not come.
// A request that reaches the program while the last Options window is still closing is ignored,
// as a second click would be: it asks again, as the user would.
HWND openOptions(const App& app, HWND main);
// Sends WM_DPICHANGED as Windows does when the window moves to a monitor of `dpi` (Wine never
// does), with the suggested rectangle in the program's memory.
void changeScale(const App& app, HWND window, int dpi, const RECT& suggested);
// xdotool on the X display, as the keyboard and the mouse would: "key ctrl+alt+b". Started
// through Wine's start /unix, which leaves the program under test running.
void xdotool(const std::string& arguments);
inline void pressKeys(const std::string& keys) { xdotool("key " + keys); }
// A click in the middle of a control, which gives it the focus.
void clickOn(HWND control);

// The program's break window, visible.
WindowQuery breakWindowOf(const App& app);
// The tray control's own window, a hidden child of the main window made during start-up;
// fails the scenario unless there is exactly one.
HWND trayWindow(HWND main);
// Balloon tooltips on the screen of any process but `exceptPid` (under Wine the shell's).
std::vector<HWND> shellBalloons(DWORD exceptPid);
// The texts of a tooltip window's tools, asked of its own process (32- or 64-bit) through memory
// lent there.
std::vector<std::string> toolTexts(HWND tooltip);

// ---------------------------------------------------------------------------
// Message boxes (MessageBoxA: dialog class "#32770").

struct MsgBox {
    HWND hwnd = nullptr;
    std::string title;
    std::string text;
};

std::optional<MsgBox> waitForMessageBox(const std::string& title, DWORD pid = 0,
                                            Duration timeout = kDefaultTimeout);
// Presses OK (WM_COMMAND IDOK) and waits for the box to go away.
bool closeMessageBox(const MsgBox& box, Duration timeout = kDefaultTimeout);

// ---------------------------------------------------------------------------
// The program's settings in HKCU.

namespace settings {
inline constexpr wchar_t kKey[] = L"Software\\Kelvadore\\Periodic Respite Prompter Utility";

std::optional<std::string> get(const std::string& name);  // REG_SZ, nullopt if missing
void set(const std::string& name, const std::string& value);
void remove(const std::string& name);
void clear();  // deletes the whole key
bool keyExists();

// The minutes box, the audio, balloon and break-window reminders and whether reminding is on.
struct Reminding {
    std::string minutes;
    bool audio = false, balloon = false, window = false;
    bool on = true;
};
// Clears the key and stores `r` as the main window would.
void storeReminding(const Reminding& r);
}  // namespace settings

// The program started from cleared settings with "Windows Startup" and "Minimized" on, once
// start-up is over and the window is in the tray; fails the scenario otherwise.
struct InTray {
    App app;
    HWND main;
};
InTray startInTray(const Context& ctx);

// The statistics file as the program names it: %LOCALAPPDATA%\Kelvadore\Periodic Respite
// Prompter\statistics.csv.
std::wstring statisticsPath();

// Generic registry access, for keys outside the settings (e.g. the Run key). `view` may ask for
// the 64-bit or the 32-bit view (KEY_WOW64_64KEY, KEY_WOW64_32KEY); the driver's own is that of the
// program it drives (it is built for the same architecture).
std::optional<std::string> regGet(HKEY root, const std::wstring& key, const std::string& name, REGSAM view = 0);
void regSet(HKEY root, const std::wstring& key, const std::string& name, const std::string& value,
            REGSAM view = 0);
void regDeleteValue(HKEY root, const std::wstring& key, const std::string& name);
void regDeleteTree(HKEY root, const std::wstring& key);

// ---------------------------------------------------------------------------
// Conversions.

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);
bool contains(const std::string& haystack, const std::string& needle);

}  // namespace e2e
