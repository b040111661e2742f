// An administrator's policies, the Group Policy templates, settings carried between computers,
// and what a 64-bit Windows changes for this 32-bit program (the wow64_ scenarios, which
// scripts/test runs only in its 64-bit prefix).
#include "e2e.h"

#include <msxml2.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "settings/SettingTable.h"

using namespace e2e;

namespace {

const std::wstring kPolicyKey = L"Software\\Policies\\Kelvadore\\Periodic Respite Prompter";
const std::wstring kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "RespitePrompter.exe";
constexpr char kReason[] = "Set by your administrator";
constexpr char kFileHeader[] = "Periodic Respite Prompter Utility settings, format 1\r\n";

// No policy outlives its scenario: the keys are cleared before and after, however it ends.
class NoPoliciesAfter {
public:
    NoPoliciesAfter() { clear(); }
    ~NoPoliciesAfter() { clear(); }
    NoPoliciesAfter(const NoPoliciesAfter&) = delete;
    NoPoliciesAfter& operator=(const NoPoliciesAfter&) = delete;

private:
    static void clear() {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(root, kPolicyKey.c_str());
    }
};

// What Group Policy says to every window once it has applied new policies.
void announcePolicyChange() {
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"), SMTO_ABORTIFHUNG,
                        5000, nullptr);
}

// The tips of the program's own tooltip windows.
std::vector<std::string> tipsOf(const App& app) {
    std::vector<std::string> tips;
    for (HWND tooltip : findWindows({std::nullopt, "tooltips_class32", app.pid(), false})) {
        const std::vector<std::string> texts = toolTexts(tooltip);
        tips.insert(tips.end(), texts.begin(), texts.end());
    }
    return tips;
}

std::wstring tempFile(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::wstring& path, const std::string& content) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
}

// Runs the program with a command and returns its exit code once it has ended by itself.
DWORD runCommand(const Context& ctx, const std::wstring& arguments) {
    App command = App::start(ctx, arguments);
    E2E_REQUIRE(command.waitForExit(10s));
    DWORD code = 0;
    GetExitCodeProcess(command.process(), &code);
    return code;
}

// --- Windows' own XML reader (MSXML), for the templates -------------------------------------

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { if (p_) p_->Release(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** put() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

struct ComApartment {
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
};

class XmlFile {
public:
    explicit XmlFile(const std::wstring& path) {
        CLSID reader{};
        if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &reader)))
            E2E_REQUIRE(SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &reader)));
        E2E_REQUIRE(SUCCEEDED(CoCreateInstance(reader, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                               reinterpret_cast<void**>(document_.put()))));
        document_->put_async(VARIANT_FALSE);
        VARIANT source;
        VariantInit(&source);
        source.vt = VT_BSTR;
        source.bstrVal = SysAllocString(path.c_str());
        VARIANT_BOOL loaded = VARIANT_FALSE;
        document_->load(source, &loaded);
        VariantClear(&source);
        if (loaded != VARIANT_TRUE) {
            ComPtr<IXMLDOMParseError> error;
            BSTR reason = nullptr;
            long line = 0;
            if (SUCCEEDED(document_->get_parseError(error.put())) && error.get()) {
                error->get_reason(&reason);
                error->get_line(&line);
            }
            const std::string why = reason ? narrow(reason) : "no reason given";
            SysFreeString(reason);
            fail(__FILE__, __LINE__, narrow(path) + " does not parse, line " + std::to_string(line) + ": " + why);
        }
    }

    // The given attribute of every element of that name, "" where it has none.
    std::vector<std::string> attributes(const wchar_t* element, const wchar_t* attribute) const {
        std::vector<std::string> values;
        ComPtr<IXMLDOMNodeList> list;
        BSTR name = SysAllocString(element);
        document_->getElementsByTagName(name, list.put());
        SysFreeString(name);
        long length = 0;
        if (list.get()) list->get_length(&length);
        for (long i = 0; i < length; ++i) {
            ComPtr<IXMLDOMNode> node;
            ComPtr<IXMLDOMElement> found;
            list->get_item(i, node.put());
            node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(found.put()));
            VARIANT value;
            VariantInit(&value);
            BSTR key = SysAllocString(attribute);
            found->getAttribute(key, &value);
            SysFreeString(key);
            values.push_back(value.vt == VT_BSTR ? narrow(value.bstrVal) : "");
            VariantClear(&value);
        }
        return values;
    }

private:
    ComPtr<IXMLDOMDocument> document_;
};

std::wstring sourceFile(const std::string& relative) {
    std::wstring path = L"Z:" + widen(E2E_SOURCE_DIR "/" + relative);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

}  // namespace

E2E_SCENARIO(a_machine_policy_shows_in_the_window_without_input_until_it_is_withdrawn) {
    NoPoliciesAfter policies;
    settings::clear();
    settings::set("Text1", "30");
    settings::set("Check1", "0");
    regSet(HKEY_LOCAL_MACHINE, kPolicyKey, "Text1", "20");
    regSet(HKEY_LOCAL_MACHINE, kPolicyKey, "Check1", "1");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND text1 = child(main, id::Text1), check1 = child(main, id::Check1);
    E2E_CHECK_EQ(text(text1), "20");
    E2E_CHECK(checked(check1));
    E2E_CHECK(!enabled(text1));
    E2E_CHECK(!enabled(check1));
    E2E_CHECK(enabled(child(main, id::Check2)));
    const std::vector<std::string> tips = tipsOf(app);
    E2E_CHECK_EQ(std::count(tips.begin(), tips.end(), kReason), 2);

    // Input that reaches the controls anyway (sent by a program) changes nothing.
    click(check1);
    setText(text1, "99");
    E2E_CHECK_EQ(text(text1), "20");
    E2E_CHECK(checked(check1));
    E2E_CHECK_EQ(settings::get("Text1"), "30");
    E2E_CHECK_EQ(settings::get("Check1"), "0");

    // Withdrawn, and the system says so: the user's own values come back, with no restart.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPolicyKey.c_str());
    announcePolicyChange();
    E2E_CHECK(waitUntil([&] { return enabled(text1) && text(text1) == "30" && !checked(check1); }, 3s));
    E2E_CHECK(enabled(check1));
    const std::vector<std::string> tipsAfter = tipsOf(app);
    E2E_CHECK_EQ(std::count(tipsAfter.begin(), tipsAfter.end(), kReason), 0);
    E2E_CHECK(findWindow({ui::kErrorTitle, ui::kDialogClass, app.pid(), false}) == nullptr);
}

E2E_SCENARIO(allow_exit_off_puts_the_window_into_the_tray_instead_of_ending) {
    NoPoliciesAfter policies;
    settings::clear();
    regSet(HKEY_LOCAL_MACHINE, kPolicyKey, "Allow Exit", "Off");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    post(main, WM_SYSCOMMAND, SC_CLOSE);  // the close button, Close in the menu, Alt+F4
    E2E_CHECK(waitUntil([&] { return !visible(main); }, 3s));
    E2E_CHECK(!app.waitForExit(1s));
    post(trayWindow(main), ui::kTrayCallback, 1, WM_LBUTTONUP);
    E2E_CHECK(waitUntil([&] { return visible(main); }, 3s));
    // A program's WM_CLOSE (an installer's) still ends it.
    E2E_CHECK(app.close().has_value());
}

E2E_SCENARIO(policy_templates_parse_and_name_every_setting) {
    ComApartment com;
    const XmlFile admx(sourceFile("packaging/policy/RespitePrompter.admx"));
    const XmlFile adml(sourceFile("packaging/policy/en-US/RespitePrompter.adml"));
    std::set<std::string> named;
    for (const wchar_t* element : {L"policy", L"decimal", L"text", L"enum"})
        for (const std::string& name : admx.attributes(element, L"valueName"))
            if (!name.empty()) E2E_CHECK(named.insert(name).second);
    std::set<std::string> expected;
    for (const rp::SettingDefinition& setting : rp::kSettings)
        if (rp::SetByPolicies(setting)) expected.emplace(setting.name);
    E2E_CHECK(named == expected);
    if (named != expected) note("the templates name " + std::to_string(named.size()) + " values");

    const std::vector<std::string> ids = adml.attributes(L"string", L"id");
    const std::set<std::string> strings(ids.begin(), ids.end());
    for (const std::string& reference : admx.attributes(L"policy", L"displayName")) {
        const std::string id = reference.substr(9, reference.size() - 10);  // $(string.X)
        E2E_CHECK(strings.count(id) == 1);
    }
}

E2E_SCENARIO(an_import_from_the_command_line_reaches_the_running_copy_at_once) {
    settings::clear();
    settings::set("Text1", "45");
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    const std::wstring carried = tempFile(L"respite carried.txt"), exported = tempFile(L"respite exported.txt");
    writeFile(carried, std::string(kFileHeader) + "Text1=20\r\nCheck3=1\r\n");

    E2E_CHECK_EQ(runCommand(ctx, L"/import-settings \"" + carried + L"\""), 0u);
    E2E_CHECK(waitUntil([&] { return text(child(main, id::Text1)) == "20" && checked(child(main, id::Check3)); }, 3s));
    E2E_CHECK_EQ(settings::get("Text1"), "20");
    E2E_CHECK_EQ(settings::get("Check3"), "1");
    E2E_CHECK_EQ(findWindows({ui::kMainCaption, ui::kMainClass, 0, false}).size(), 1u);

    E2E_CHECK_EQ(runCommand(ctx, L"/export-settings \"" + exported + L"\""), 0u);
    const std::string file = readFile(exported);
    E2E_CHECK(file.rfind(kFileHeader, 0) == 0);
    E2E_CHECK(contains(file, "\r\nText1=20\r\n"));
    E2E_CHECK(contains(file, "\r\nCheck3=1\r\n"));
    DeleteFileW(carried.c_str());
    DeleteFileW(exported.c_str());
}

// Wine serves \\server\share\ from the prefix's dosdevices\unc\server\share, a folder here. It
// also takes \\server alone for a folder, which Windows does not; the long form \\?\UNC\ has
// nothing of the kind to lean on.
E2E_SCENARIO(an_export_to_a_network_share_makes_its_folders_below_the_share) {
    settings::clear();
    settings::set("Text1", "35");
    wchar_t prefix[MAX_PATH] = {};
    E2E_REQUIRE(GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH) > 0);
    std::wstring share = L"Z:" + std::wstring(prefix) + L"/dosdevices/unc/respite-server/share";
    std::replace(share.begin(), share.end(), L'/', L'\\');
    std::filesystem::remove_all(share);
    std::filesystem::create_directories(share);
    for (const std::wstring path : {L"\\\\respite-server\\share\\team\\ann\\settings.txt",
                                    L"\\\\?\\UNC\\respite-server\\share\\long\\settings.txt"}) {
        E2E_CHECK_EQ(runCommand(ctx, L"/export-settings \"" + path + L"\""), 0u);
        E2E_CHECK(readFile(path).rfind(std::string(kFileHeader) + "Text1=35\r\n", 0) == 0);
    }
    std::filesystem::remove_all(share);
}

E2E_SCENARIO(options_export_writes_the_file_the_save_dialog_names) {
    settings::storeReminding({.minutes = "25", .on = false});
    App app = App::start(ctx);
    HWND main = app.mainWindow();
    HWND options = openOptions(app, main);
    E2E_REQUIRE(options != nullptr);
    const std::wstring chosen = tempFile(L"respite options export.txt");
    DeleteFileW(chosen.c_str());

    postClick(child(options, 1203));  // Export...
    HWND dialog = waitForWindow({"Export Settings", ui::kDialogClass, app.pid(), true});
    E2E_REQUIRE(dialog != nullptr);
    setText(GetDlgItem(dialog, 1148), narrow(chosen));  // the "File name" box
    post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    auto box = waitForMessageBox("Options", app.pid());
    E2E_REQUIRE(box.has_value());
    E2E_CHECK_EQ(box->text, "Exported 16 settings to " + narrow(chosen) + ".");
    E2E_CHECK(closeMessageBox(*box));
    const std::string file = readFile(chosen);
    E2E_CHECK(file.rfind(std::string(kFileHeader) + "Text1=25\r\n", 0) == 0);
    postClick(child(options, 1202));  // Cancel
    E2E_CHECK(waitForWindowGone(options));
    DeleteFileW(chosen.c_str());
}

E2E_SCENARIO(wow64_the_run_value_settings_and_policies_are_in_the_views_windows_reads) {
    NoPoliciesAfter policies;
    settings::clear();
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey.c_str(), 0, KEY_SET_VALUE | view, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, widen(kRunValue).c_str());
            RegCloseKey(key);
        }
    }
    // The driver is built for the program's architecture. Each program writes the view Windows
    // starts its kind from at log-on: the 32-bit one (Wow6432Node seen from 64-bit programs) or
    // the 64-bit one, where the x64 program also removes what a 32-bit copy wrote before an
    // upgrade: it names a file that is gone.
    const bool program64 = sizeof(void*) == 8;
    const REGSAM own = program64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    const REGSAM other = program64 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    if (program64)
        regSet(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, "C:\\Program Files (x86)\\Gone\\RespitePrompter.exe",
               KEY_WOW64_32KEY);
    App app = App::start(ctx);
    BOOL onWow64 = FALSE;
    IsWow64Process(app.process(), &onWow64);
    E2E_REQUIRE(onWow64 != program64);  // only a 64-bit prefix shows what this scenario checks
    HWND main = app.mainWindow();

    HWND check4 = child(main, id::Check4);
    click(check4);
    const std::string command = contains(app.imagePath(), " ") ? "\"" + app.imagePath() + "\"" : app.imagePath();
    E2E_CHECK_EQ(regGet(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, own), command);
    E2E_CHECK_EQ(regGet(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", kRunValue,
                        KEY_WOW64_64KEY),
                 program64 ? std::optional<std::string>() : command);
    E2E_CHECK_EQ(regGet(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, other), std::optional<std::string>());
    // The settings key is one for both views.
    E2E_CHECK_EQ(regGet(HKEY_CURRENT_USER, settings::kKey, "Windows Startup", KEY_WOW64_64KEY), "On");
    click(check4);
    E2E_CHECK_EQ(regGet(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, own), std::optional<std::string>());

    // Group Policy's client is a 64-bit program; what it writes is in force for this one.
    regSet(HKEY_LOCAL_MACHINE, kPolicyKey, "Text1", "20", KEY_WOW64_64KEY);
    announcePolicyChange();
    HWND text1 = child(main, id::Text1);
    E2E_CHECK(waitUntil([&] { return text(text1) == "20" && !enabled(text1); }, 3s));
}
