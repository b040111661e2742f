// The user's own exercises (exercises.txt) in a guided break: a picture of the user's is drawn,
// a damaged one is left out and named in the tray tip. Which exercises are used and the rules
// of what is left out are tested on the simulated desktop.
#include "e2e.h"

#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace e2e;

namespace {

constexpr COLORREF kRed = RGB(200, 30, 30), kBlue = RGB(30, 60, 200);

std::string bigEndian(std::uint32_t value) {
    return {char(value >> 24), char(value >> 16 & 0xFF), char(value >> 8 & 0xFF), char(value & 0xFF)};
}

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

std::string chunk(const std::string& type, const std::string& data) {
    return bigEndian(static_cast<std::uint32_t>(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A small PNG made here: its left half red, its right half blue, the image data in one stored
// (uncompressed) deflate block.
std::string redAndBluePng(int side) {
    std::string rows;
    for (int y = 0; y < side; ++y) {
        rows += '\0';  // no filter
        for (int x = 0; x < side; ++x) {
            const COLORREF c = x < side / 2 ? kRed : kBlue;
            rows += {char(GetRValue(c)), char(GetGValue(c)), char(GetBValue(c))};
        }
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : rows) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    const auto length = static_cast<std::uint16_t>(rows.size());
    const std::string zlib = std::string("\x78\x01\x01", 3) + char(length & 0xFF) + char(length >> 8) +
                             char(~length & 0xFF) + char((~length >> 8) & 0xFF) + rows + bigEndian(b << 16 | a);
    const std::string header = bigEndian(side) + bigEndian(side) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", zlib) + chunk("IEND", "");
}

// The user's folder of exercises, with the files a scenario wrote there removed again however
// it ends: every scenario shares the prefix.
class OwnFiles {
public:
    OwnFiles() {
        wchar_t roaming[MAX_PATH] = {};
        E2E_REQUIRE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, roaming)));
        folder_ = std::filesystem::path(roaming) / L"Kelvadore" / L"Periodic Respite Prompter";
        std::filesystem::create_directories(folder_);
    }
    ~OwnFiles() {
        std::error_code ignored;
        for (const auto& name : written_) std::filesystem::remove(folder_ / name, ignored);
    }
    void write(const std::wstring& name, const std::string& content) {
        std::ofstream(folder_ / name, std::ios::binary) << content;
        written_.push_back(name);
    }

private:
    std::filesystem::path folder_;
    std::vector<std::wstring> written_;
};

const std::string kFarAway = "Title: Look far away\nStep: Find the farthest thing you can see.\nSeconds: 60\nKind: eyes\n";
const std::string kRedAndBlue = "Title: Red and blue\nStep: Look at the picture.\nSeconds: 60\nKind: back\nPicture: own.png\n";

// A guided break of a minute at once, with the user's exercises alone.
void storeOwnExercisesOnly() {
    settings::storeReminding({.minutes = "0"});
    settings::set("Break Length", "1");
    settings::set("Show Exercises", "On");
    settings::set("Own Exercises", "Only");
}

HWND openOwnBreak(const App& app) {
    app.mainWindow();
    return waitForWindow({"Break Time", "RespitePrompterFormBreak", app.pid(), true}, 5s);
}

// The tips Wine's tray shows for the program's icon.
std::vector<std::string> trayTips() {
    std::vector<std::string> tips;
    HWND tray = findWindow({"Wine System Tray", "__winex11_standalone_tray", 0, true});
    for (HWND tip : findWindows({std::nullopt, "tooltips_class32", 0, false}))
        if (tray && GetWindow(tip, GW_OWNER) == tray)
            for (const std::string& text : toolTexts(tip))
                if (text.rfind(ui::kMainCaption, 0) == 0) tips.push_back(text);
    return tips;
}

}  // namespace

// The user's PNG is drawn in the picture control: its red and its blue are on the screen there.
E2E_SCENARIO(own_exercise_shows_the_users_png) {
    OwnFiles files;
    files.write(L"own.png", redAndBluePng(40));
    files.write(L"exercises.txt", kRedAndBlue);
    storeOwnExercisesOnly();
    App app = App::start(ctx);
    HWND window = openOwnBreak(app);
    E2E_REQUIRE(window != nullptr);
    HWND picture = child(window, 2001), title = child(window, 1502);
    E2E_REQUIRE(picture != nullptr && title != nullptr);
    E2E_REQUIRE(waitUntil([&] { return text(title) == "Red and blue"; }, 5s));
    Sleep(300);  // let it paint
    RECT area{};
    GetWindowRect(picture, &area);
    HDC screen = GetDC(nullptr);
    int red = 0, blue = 0;
    for (int y = area.top; y < area.bottom; y += 2)
        for (int x = area.left; x < area.right; x += 2) {
            const COLORREF c = GetPixel(screen, x, y);
            red += c == kRed;
            blue += c == kBlue;
        }
    ReleaseDC(nullptr, screen);
    std::printf("own picture %ldx%ld: %d red, %d blue samples\n", area.right - area.left, area.bottom - area.top, red, blue);
    // Scaled to fit, each half of the picture covers about a fifth of the control's samples.
    const int samples = (area.right - area.left) / 2 * ((area.bottom - area.top) / 2);
    E2E_CHECK(red > samples / 8);
    E2E_CHECK(blue > samples / 8);
}

// A damaged picture (the PNG cut short) leaves its exercise out, the tray tip names it, and the
// other exercise is shown.
E2E_SCENARIO(own_exercise_with_a_damaged_picture_is_left_out_with_the_tip) {
    OwnFiles files;
    const std::string png = redAndBluePng(40);
    files.write(L"own.png", png.substr(0, png.size() / 2));
    files.write(L"exercises.txt", kRedAndBlue + "\n" + kFarAway);
    storeOwnExercisesOnly();
    App app = App::start(ctx);
    HWND window = openOwnBreak(app);
    E2E_REQUIRE(window != nullptr);
    HWND title = child(window, 1502);
    E2E_REQUIRE(title != nullptr);
    E2E_REQUIRE(waitUntil([&] { return !text(title).empty(); }, 5s));
    E2E_CHECK_EQ(text(title), "Look far away");
    std::string told;
    E2E_CHECK(waitUntil([&] {
        for (const std::string& tip : trayTips())
            if (contains(tip, "exercises.txt: left out Red and blue")) told = tip;
        return !told.empty();
    }, 5s));
    std::printf("tray tip: \"%s\"\n", told.c_str());
}
