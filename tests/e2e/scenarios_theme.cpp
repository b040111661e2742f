// The theme seen from outside: the Options and Statistics windows measured from the screen,
// dark with "Theme" = "Dark" and as designed without it, and "Same as Windows" following the
// apps setting when Windows says the colour set changed.
#include "e2e.h"

#include <algorithm>
#include <map>

#include "runtime/Palette.h"

using namespace e2e;

namespace {

constexpr wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The colour most of the pixels have: the ground the rest stands on.
COLORREF groundOf(const std::vector<COLORREF>& pixels) {
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : pixels) ++counts[pixel];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// The contrast of a control's text with its ground: the colour of at least a few pixels that
// stands out most (the text's own colour, not the smoothing of its edges).
double textContrastOf(HWND control) {
    const std::vector<COLORREF> pixels = clientPixels(control);
    const COLORREF ground = groundOf(pixels);
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : pixels) ++counts[pixel];
    double best = 1;
    for (const auto& [colour, count] : counts)
        if (count >= 6) best = std::max(best, rp::ContrastRatio(colour, ground));
    return best;
}

struct Measured {
    double ground;       // the luminance of the window's ground
    double lowestText;   // the lowest text contrast of its captions
};

Measured measure(HWND window, std::initializer_list<int> captions, const char* what) {
    Sleep(300);  // let the window finish painting
    Measured m{rp::Luminance(groundOf(clientPixels(window))), 21};
    for (int id : captions) {
        const double contrast = textContrastOf(child(window, id));
        note(std::string(what) + " control " + std::to_string(id) + ": text contrast " + std::to_string(contrast));
        m.lowestText = std::min(m.lowestText, contrast);
    }
    note(std::string(what) + ": ground luminance " + std::to_string(m.ground) + ", lowest text contrast " +
         std::to_string(m.lowestText));
    return m;
}

// Options' labels: "Away after", "Work hours", "Break length", "Take a Break Now", "Language:", "Theme:".
constexpr std::initializer_list<int> kOptionsCaptions = {1501, 1502, 1520, 1530, 1506, 1507};
// Statistics' figures.
constexpr std::initializer_list<int> kStatisticsCaptions = {1501, 1502};

HWND openFromSystemMenu(const App& app, HWND main, WPARAM command, const char* windowClass) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        post(main, WM_SYSCOMMAND, command);
        if (HWND window = waitForWindow({std::nullopt, windowClass, app.pid(), true}, 2s)) return window;
    }
    return nullptr;
}

// The luminance of the ground of the tab strip's row of tabs, above its pages: the tab control
// would draw it in the system's light colours if the program did not.
double tabRowGround(HWND options) {
    HWND tabs = child(options, 1901);
    RECT client{}, page{};
    GetClientRect(tabs, &client);
    for (HWND part = GetWindow(tabs, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT))
        if (IsWindowVisible(part)) GetWindowRect(part, &page);
    POINT pageTop{page.left, page.top};
    ScreenToClient(tabs, &pageTop);
    std::vector<COLORREF> row = clientPixels(tabs);
    row.resize(std::min<std::size_t>(row.size(), static_cast<std::size_t>(std::max(0L, pageTop.y - 3) * client.right)));
    E2E_REQUIRE(!row.empty());
    return rp::Luminance(groundOf(row));
}

void setAppsLight(DWORD light) {
    E2E_REQUIRE(RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &light,
                                sizeof light) == ERROR_SUCCESS);
}

void closeWindow(HWND window) {
    post(window, WM_CLOSE);
    E2E_CHECK(waitForWindowGone(window));
}

}  // namespace

E2E_SCENARIO(theme_dark_draws_options_and_statistics_dark_and_light_stays_as_designed) {
    for (const bool dark : {true, false}) {
        settings::clear();
        settings::set("Keep Statistics", "On");
        if (dark) settings::set("Theme", "Dark");
        const char* what = dark ? "dark" : "light";
        App app = App::start(ctx);
        HWND main = app.mainWindow();
        for (const auto& [command, windowClass, captions] :
             {std::tuple{WPARAM{0x1000}, "RespitePrompterFormOptions", kOptionsCaptions},
              std::tuple{WPARAM{0x1010}, "RespitePrompterFormStatistics", kStatisticsCaptions}}) {
            HWND window = openFromSystemMenu(app, main, command, windowClass);
            E2E_REQUIRE(window != nullptr);
            const Measured m = measure(window, captions, (std::string(what) + " " + windowClass).c_str());
            const bool options = command == 0x1000;
            if (dark)
                E2E_CHECK(m.ground < 0.05 && (!options || tabRowGround(window) < 0.05));
            else
                E2E_CHECK(m.ground > 0.6 && (!options || tabRowGround(window) > 0.6));
            E2E_CHECK(m.lowestText >= 4.5);
            closeWindow(window);
        }
        E2E_CHECK(settings::get("Theme") == (dark ? std::optional<std::string>("Dark") : std::nullopt));
    }
}

E2E_SCENARIO(theme_same_as_windows_follows_the_apps_setting_at_once) {
    settings::clear();
    settings::set("Theme", "System");
    setAppsLight(0);
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND window = openFromSystemMenu(app, main, 0x1000, "RespitePrompterFormOptions");
    E2E_REQUIRE(window != nullptr);
    E2E_CHECK(measure(window, {}, "apps dark").ground < 0.05);
    // Windows turns its apps light and tells every window that the colour set changed.
    setAppsLight(1);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    E2E_CHECK(measure(window, {}, "apps light").ground > 0.6);
    closeWindow(window);
    regDeleteValue(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme");
}
