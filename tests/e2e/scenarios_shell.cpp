// Start with Windows, closing the window, and the skin: what they leave in the
// registry and on the screen.
#include "e2e.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

using namespace e2e;

namespace {

const std::wstring kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunValue = "RespitePrompter.exe";

void removeRunValues() {
    regDeleteValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
    regDeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
}

// Windows would read an unquoted path with a space as a shorter program plus arguments.
std::string runCommand(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// Every value of a key with its type and raw bytes, by name.
using KeyDump = std::vector<std::tuple<std::wstring, DWORD, std::vector<BYTE>>>;

KeyDump dumpKey(HKEY root, const std::wstring& path) {
    KeyDump dump;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return dump;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameSize = 256, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(size);
        nameSize = 256;
        RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data.data(), &size);
        dump.emplace_back(std::wstring(name, nameSize), type, std::move(data));
    }
    RegCloseKey(key);
    std::sort(dump.begin(), dump.end());
    return dump;
}

// A copy of the program in a folder of its own, removed again at the end of the scenario.
class PrivateCopy {
public:
    explicit PrivateCopy(const Context& ctx, const std::wstring& folderName) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + folderName;
        CreateDirectoryW(folder_.c_str(), nullptr);
        context.appPath = folder_ + L"\\RespitePrompter.exe";
        if (!CopyFileW(ctx.appPath.c_str(), context.appPath.c_str(), FALSE))
            fail(__FILE__, __LINE__, "cannot copy the program to " + narrow(folder_));
    }
    ~PrivateCopy() {
        for (const auto& file : files_) DeleteFileW(file.c_str());
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryW(it->c_str());
        DeleteFileW(context.appPath.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    std::string folder() const { return narrow(folder_); }
    // Copies a file to a path relative to the program's folder, making its folder first.
    void place(const std::wstring& source, const std::wstring& relative) {
        const std::wstring target = folder_ + L"\\" + relative;
        const std::wstring parent = target.substr(0, target.find_last_of(L'\\'));
        if (parent != folder_ && CreateDirectoryW(parent.c_str(), nullptr)) folders_.push_back(parent);
        if (!CopyFileW(source.c_str(), target.c_str(), FALSE))
            fail(__FILE__, __LINE__, "cannot copy " + narrow(source) + " to " + narrow(target));
        files_.push_back(target);
    }

    Context context;

private:
    std::wstring folder_;
    std::vector<std::wstring> files_, folders_;
};

// The repository's files, as the driver sees them under Wine (drive Z: is the Unix root).
std::wstring sourceFile(const std::string& relative) {
    std::wstring path = L"Z:" + widen(E2E_SOURCE_DIR "/" + relative);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// A 24-bit picture of what the screen shows of a window's client area.
struct Shot {
    int width = 0, height = 0;
    std::vector<BYTE> bgr;  // bottom-up rows, 4-byte aligned, as a BMP stores them
    COLORREF at(int x, int y) const {
        const int stride = (width * 3 + 3) & ~3;
        const BYTE* p = &bgr[static_cast<size_t>((height - 1 - y) * stride + x * 3)];
        return RGB(p[2], p[1], p[0]);
    }
};

Shot screenshot(HWND window, const std::string& bmpName) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    Shot shot{client.right, client.bottom, {}};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = shot.width;
    header.biHeight = shot.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    shot.bgr.resize(static_cast<size_t>(((shot.width * 3 + 3) & ~3) * shot.height));
    GetDIBits(memory, bitmap, 0, shot.height, shot.bgr.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    // Beside the driver, to be looked at.
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    path = path.substr(0, path.find_last_of(L'\\') + 1) + widen(bmpName);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + shot.bgr.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(shot.bgr.data()), static_cast<std::streamsize>(shot.bgr.size()));
    note("screenshot: " + narrow(path));
    return shot;
}

std::string hex(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Checks the box, reads the Run value back, unchecks it, and sees the value gone.
void checkAndUncheck(const Context& ctx) {
    settings::clear();
    removeRunValues();
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND check4 = child(main, id::Check4);
    HWND check8 = child(main, id::Check8);
    E2E_REQUIRE(!checked(check4));
    E2E_CHECK(!visible(check8));

    click(check4);
    E2E_CHECK_EQ(settings::get("Windows Startup"), "On");
    E2E_CHECK(visible(check8));
    const std::string expected = runCommand(app.imagePath());
    E2E_CHECK_EQ(regGet(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), expected);
    click(check8);
    E2E_CHECK_EQ(settings::get("Minimized"), "On");

    click(check4);
    E2E_CHECK(!checked(check8));
    E2E_CHECK_EQ(settings::get("Windows Startup"), "Off");
    E2E_CHECK_EQ(settings::get("Minimized"), "Off");
    E2E_CHECK(!visible(check8));
    E2E_CHECK_EQ(regGet(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), std::optional<std::string>());
    E2E_CHECK_EQ(regGet(HKEY_CURRENT_USER, kRunKey, kRunValue), std::optional<std::string>());
    app.close();
    removeRunValues();
}

// Closes the window and expects the process gone within a second, the store untouched.
void closeAndCompare(App& app, HWND window) {
    const KeyDump before = dumpKey(HKEY_CURRENT_USER, settings::kKey);
    E2E_REQUIRE(!before.empty());
    const auto asked = std::chrono::steady_clock::now();
    post(window, WM_CLOSE);
    const bool ended = app.waitForExit(1s);
    const auto took = std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - asked);
    note("the process ended " + std::to_string(took.count()) + " ms after WM_CLOSE");
    E2E_CHECK(ended);
    E2E_CHECK(dumpKey(HKEY_CURRENT_USER, settings::kKey) == before);
}

}  // namespace

E2E_SCENARIO(start_with_windows_enters_and_removes_the_run_value) {
    checkAndUncheck(ctx);
}

// A folder with a space and a letter outside the ANSI code page: the value holds the path as it is, quoted.
E2E_SCENARIO(start_with_windows_quotes_a_path_with_a_space) {
    PrivateCopy copy(ctx, L"Respite \u03A9");
    checkAndUncheck(copy.context);
}

E2E_SCENARIO(closing_while_counting_ends_at_once_and_stores_nothing) {
    settings::clear();
    settings::set("StartStopState", "On");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND frame1 = child(main, id::Frame1);
    E2E_REQUIRE(waitUntil([&] { return contains(text(frame1), "Next break will occur in"); }, 5s));
    closeAndCompare(app, main);
}

E2E_SCENARIO(closing_while_hidden_in_the_tray_ends_at_once) {
    InTray started = startInTray(ctx);
    closeAndCompare(started.app, started.main);
}

E2E_SCENARIO(example_skin_restyles_the_window) {
    settings::clear();
    PrivateCopy copy(ctx, L"Respite skin");
    Shot before, after;
    {
        App app = App::start(copy.context);
        HWND main = app.mainWindow();
        Sleep(500);  // let it paint
        before = screenshot(main, "skin-before.bmp");
        app.close();
    }
    copy.place(sourceFile("skins/example/x/o.cjs"), L"x\\o.cjs");
    {
        App app = App::start(copy.context);
        HWND main = app.mainWindow();
        E2E_CHECK(!findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}));
        Sleep(500);
        after = screenshot(main, "skin-after.bmp");
        app.close();
    }
    E2E_REQUIRE(before.width == after.width && before.height == after.height && before.width > 0);

    // The window's own surface, left of the first button, takes the skin's background.
    note("window surface: " + hex(before.at(3, 3)) + " -> " + hex(after.at(3, 3)));
    E2E_CHECK_EQ(hex(after.at(3, 3)), std::string("#1E252E"));
    size_t changed = 0;
    for (int y = 0; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x) changed += before.at(x, y) != after.at(x, y);
    note(std::to_string(changed) + " of " + std::to_string(before.width * before.height) + " pixels changed");
    E2E_CHECK(changed > static_cast<size_t>(before.width * before.height / 2));
}
