// The own-drawn push buttons and progress bar as assistive technology finds them, asked from
// outside through the accessibility API as a screen reader asks, and pressed from the keyboard.
#include <oleacc.h>

#include <cstdio>
#include <set>

#include "e2e.h"

using namespace e2e;

namespace {

// What a screen reader reads of one window's client area.
struct AccessibleFacts {
    long role = 0;
    std::string name, value, defaultAction;
};

class ComScope {
public:
    ComScope() { E2E_REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    ~ComScope() { CoUninitialize(); }
};

// The text that one of the object's getters answers, or how it failed.
template <class Getter>
std::string answer(Getter get) {
    BSTR text = nullptr;
    const HRESULT result = get(&text);
    char failure[32];
    std::snprintf(failure, sizeof failure, "(none: 0x%08lx)", static_cast<unsigned long>(result));
    std::string utf8 = result == S_OK && text ? narrow({text, SysStringLen(text)}) : failure;
    SysFreeString(text);
    return utf8;
}

enum class Press { No, Done, Refused };

// The accessible object of the window's client area; with `press`, its default action is asked
// for, and must be done or refused.
AccessibleFacts ask(HWND window, Press press = Press::No) {
    IAccessible* object = nullptr;
    // __uuidof, not IID_IAccessible: MinGW-w64's x64 oleacc import library links that name to a
    // code stub, so an x64 driver would ask for an interface that does not exist.
    const HRESULT found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&object));
    E2E_REQUIRE(SUCCEEDED(found) && object);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    AccessibleFacts facts;
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) facts.role = role.lVal;
    facts.name = answer([&](BSTR* text) { return object->get_accName(self, text); });
    facts.value = answer([&](BSTR* text) { return object->get_accValue(self, text); });
    facts.defaultAction = answer([&](BSTR* text) { return object->get_accDefaultAction(self, text); });
    if (press != Press::No) E2E_CHECK_EQ(SUCCEEDED(object->accDoDefaultAction(self)), press == Press::Done);
    object->Release();
    return facts;
}

// The seconds of a one-minute period used up, from the caption of Frame1; -1 before the first
// tick, while the caption still reads 00:00:00.
int elapsedOfAMinute(const std::string& caption) {
    if (caption.rfind(ui::kNextBreak, 0) != 0 || contains(caption, "00:00:00")) return -1;
    return 60 - std::stoi(caption.substr(caption.size() - 2));
}

}  // namespace

E2E_SCENARIO(buttons_and_bar_tell_screen_readers_what_they_are) {
    ComScope com;
    settings::storeReminding({.minutes = "1", .audio = true});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    const struct {
        int id;
        const char* caption;
    } buttons[] = {{id::PushButton3, "Stop Reminding"},
                   {id::PushButton4, "Test Break Sound"},
                   {id::PushButton5, "Change Sound File"}};
    for (const auto& b : buttons) {
        const AccessibleFacts button = ask(child(main, b.id));
        E2E_CHECK_EQ(button.role, ROLE_SYSTEM_PUSHBUTTON);
        E2E_CHECK_EQ(button.name, b.caption);
        E2E_CHECK_EQ(button.defaultAction, "press");
    }

    // While counting, the bar's value is the share of the period used up, in whole percent.
    HWND frame1 = child(main, id::Frame1), bar = child(main, id::ProgressBar1);
    E2E_REQUIRE(waitUntil([&] { return elapsedOfAMinute(text(frame1)) >= 2; }));
    AccessibleFacts counting;
    int elapsed = -1;
    E2E_REQUIRE(waitUntil([&] {
        // The caption and the bar move in the same tick: read the bar between two equal captions.
        const std::string before = text(frame1);
        counting = ask(bar);
        elapsed = elapsedOfAMinute(before);
        return before == text(frame1);
    }));
    E2E_CHECK_EQ(counting.role, ROLE_SYSTEM_PROGRESSBAR);
    E2E_CHECK_EQ(counting.name, "Progress Bar");
    E2E_CHECK_EQ(counting.value, std::to_string((elapsed * 100 + 30) / 60) + "%");
    E2E_CHECK(contains(counting.defaultAction, "(none"));

    // Behind the modal Options window, a screen reader's "press" does nothing, as a key does.
    post(main, WM_SYSCOMMAND, 0x1000);  // "Options..."
    HWND options = waitForWindow({"Options", "RespitePrompterFormOptions", app.pid(), true});
    E2E_REQUIRE(options != nullptr);
    ask(child(main, id::PushButton3), Press::Refused);
    post(options, WM_CLOSE);
    E2E_REQUIRE(waitUntil([&] { return IsWindowEnabled(main); }));
    E2E_CHECK_EQ(text(child(main, id::PushButton3)), "Stop Reminding");

    // A screen reader's "press" stops reminding, as a click does; the bar empties.
    ask(child(main, id::PushButton3), Press::Done);
    E2E_CHECK(waitUntil([&] { return text(frame1) == "Stopped."; }));
    E2E_CHECK_EQ(ask(child(main, id::PushButton3)).name, "Start Reminding");
    E2E_CHECK_EQ(ask(bar).value, "0%");
}

// Enter and Space press the focused own-drawn button.
E2E_SCENARIO(enter_and_space_press_a_focused_button) {
    settings::storeReminding({.minutes = "1", .audio = true, .on = false});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND button = child(main, id::PushButton3);
    HWND frame1 = child(main, id::Frame1);
    const struct {
        WPARAM key;
        const char* caption;
        const char* frame;
    } presses[] = {{VK_RETURN, "Stop Reminding", "Next break"}, {VK_SPACE, "Start Reminding", "Stopped."}};
    for (const auto& p : presses) {
        post(button, WM_KEYDOWN, p.key, 1);
        post(button, WM_KEYUP, p.key, 1 | (1u << 30) | (1u << 31));
        E2E_CHECK(waitUntil([&] { return text(button) == p.caption && contains(text(frame1), p.frame); }, 3s));
    }
}

// The guided break's window: its buttons and its time left, as a screen reader finds them.
E2E_SCENARIO(break_window_tells_screen_readers_its_buttons_and_time_left) {
    ComScope com;
    settings::storeReminding({.minutes = "0"});
    settings::set("Break Length", "1");
    App app = App::start(ctx);
    app.mainWindow();
    HWND window = waitForWindow({"Break Time", "RespitePrompterFormBreak", app.pid(), true}, 5s);
    E2E_REQUIRE(window != nullptr);
    const struct {
        int id;
        const char* caption;
    } buttons[] = {{1201, "Postpone 5 Minutes"}, {1202, "Skip Break"}};
    for (const auto& b : buttons) {
        const AccessibleFacts button = ask(child(window, b.id));
        E2E_CHECK_EQ(button.role, ROLE_SYSTEM_PUSHBUTTON);
        E2E_CHECK_EQ(button.name, b.caption);
        E2E_CHECK_EQ(button.defaultAction, "press");
    }
    // The time left is the bar's name, and the share of the break gone its value.
    HWND bar = child(window, 1401);
    E2E_REQUIRE(waitUntil([&] { return text(bar) == "00:57"; }, 5s));
    const AccessibleFacts timeLeft = ask(bar);
    E2E_CHECK_EQ(timeLeft.role, ROLE_SYSTEM_PROGRESSBAR);
    E2E_CHECK(timeLeft.name == "00:57" || timeLeft.name == "00:56");
    E2E_CHECK(timeLeft.value == "5%" || timeLeft.value == "7%");

    ask(child(window, 1202), Press::Done);  // a screen reader's press skips the break
    E2E_CHECK(waitForWindowGone(window, 3s));
}

// A guided break with exercises: the picture is drawn (its area holds more than one colour) and
// a screen reader finds it as a graphic named by the exercise's title, which the window shows.
E2E_SCENARIO(an_exercise_picture_is_drawn_and_named_by_its_title) {
    ComScope com;
    settings::storeReminding({.minutes = "0"});
    settings::set("Break Length", "1");
    settings::set("Show Exercises", "On");
    App app = App::start(ctx);
    app.mainWindow();
    HWND window = waitForWindow({"Break Time", "RespitePrompterFormBreak", app.pid(), true}, 5s);
    E2E_REQUIRE(window != nullptr);
    HWND picture = child(window, 2001), title = child(window, 1502);
    E2E_REQUIRE(picture != nullptr && title != nullptr);
    E2E_REQUIRE(waitUntil([&] { return !text(title).empty(); }));
    Sleep(300);  // let it paint
    const AccessibleFacts facts = ask(picture);
    E2E_CHECK_EQ(facts.role, ROLE_SYSTEM_GRAPHIC);
    E2E_CHECK_EQ(facts.name, text(title));
    // Read from the screen, as it shows.
    RECT area{};
    GetWindowRect(picture, &area);
    HDC screen = GetDC(nullptr);
    std::set<COLORREF> colours;
    for (int y = area.top; y < area.bottom; y += 2)
        for (int x = area.left; x < area.right; x += 2) colours.insert(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    std::printf("exercise picture %ldx%ld, %zu colours, title \"%s\"\n", area.right - area.left, area.bottom - area.top, colours.size(),
                text(title).c_str());
    E2E_CHECK(colours.size() >= 2);
}
