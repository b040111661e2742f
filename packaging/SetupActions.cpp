// SetupActions.dll: what the installers do about a running copy of the program when they
// replace or remove its exe. The NSIS setup calls CloseProgram and RestartProgram through its
// System plug-in; the msi runs CloseProgramForInstall and StartClosedProgram as custom actions,
// and FindOlderInstall, MoveActiveSkin and Carry*RunValue to keep what the user chose when it
// replaces an older install (also one in another folder: the other architecture's).
// Built for x64 and for x86: each installer loads the one of its own architecture.
//
// Windows' Restart Manager closes the copies that use the exe (WM_QUERYENDSESSION and
// WM_ENDSESSION with ENDSESSION_CLOSEAPP) and starts again, as the user who ran them, those
// that registered with RegisterApplicationRestart, as the program does at start. Windows
// Installer uses it by itself; the NSIS setup asks it here. It does not reach other users'
// sessions. Where there is none (Wine, whose Restart Manager functions succeed without doing
// anything and whose msiexec opens no session), the copies still running are closed here
// through their main window and started again when the install ends, done or rolled back.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <restartmanager.h>

#include <string>
#include <vector>

#include "win32/Handles.h"

namespace {

using rp::win32::UniqueKey;
using rp::win32::UniqueObject;

struct MsiHandleTraits {
  using Handle = MSIHANDLE;
  static Handle Empty() { return 0; }
  static void Close(Handle handle) { MsiCloseHandle(handle); }
};
using UniqueMsiHandle = rp::win32::UniqueHandle<MsiHandleTraits>;

// The main window's class: each running copy has one, and closing it ends the program.
constexpr wchar_t kMainWindowClass[] = L"RespitePrompterForm1";
// A copy stores every setting when it changes, so it ends at once. One that has not ended by
// then is left running: Windows Installer replaces its exe at the next restart of Windows, the
// NSIS setup cannot write it.
constexpr DWORD kExitWaitMs = 10000;
// The msi's name for the exe, and the properties that hold what was closed.
constexpr wchar_t kExeFileKey[] = L"[#RespitePrompter.exe]";
constexpr wchar_t kClosedProperty[] = L"RestartProgram";
constexpr wchar_t kRollbackAction[] = L"RestartProgramOnRollback";
constexpr wchar_t kExeName[] = L"RespitePrompter.exe";
// Where the program reads a skin from: beside itself; the user puts it there.
constexpr wchar_t kActiveSkin[] = L"x\\o.cjs";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The folder of a path, with its last backslash.
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ImagePath(HANDLE process) {
  wchar_t path[MAX_PATH * 2];
  DWORD length = MAX_PATH * 2;
  return QueryFullProcessImageNameW(process, 0, path, &length) ? std::wstring(path, length) : std::wstring();
}

// A copy closed here, with what is needed to start it again as the user who ran it.
struct ClosedCopy {
  UniqueObject token;  // its user's, empty when it could not be had
};

// Closes every copy whose process runs `exe` and waits for each to end.
std::vector<ClosedCopy> CloseCopies(const std::wstring& exe) {
  std::vector<HWND> windows;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr));) {
    windows.push_back(window);
  }
  std::vector<ClosedCopy> closed;
  for (HWND window : windows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    UniqueObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
    if (!process || !SamePath(ImagePath(process.get()), exe)) continue;
    ClosedCopy copy;
    HANDLE token = nullptr;
    if (OpenProcessToken(process.get(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY, &token)) {
      copy.token.reset(token);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), kExitWaitMs) == WAIT_OBJECT_0) closed.push_back(std::move(copy));
  }
  return closed;
}

// Starts the program as a normal start does, so that it shows or minimises itself and
// resumes reminding according to its settings. With the token of the closed copy it runs as
// that copy's user, not with an installer's administrator rights.
void StartProgram(const std::wstring& exe, HANDLE token) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const bool done =
      (token && CreateProcessWithTokenW(token, 0, exe.c_str(), commandLine.data(), 0, nullptr, folder.c_str(),
                                        &startup, &started)) ||
      CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                     &started);
  if (done) {
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

// --- the start-up choice: the value "RespitePrompter.exe" of a Run key ---

// What the program enters for `exe`: quoted when the path has a space.
std::wstring RunCommand(const std::wstring& exe) {
  return exe.find(L' ') == std::wstring::npos ? exe : L"\"" + exe + L"\"";
}

// The program a Run value starts, without quotes; empty when there is none. `view` picks the
// 32- or 64-bit view of HKLM; HKCU's Run key is one for both.
std::wstring RunValueProgram(HKEY root, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return {};
  UniqueKey key(opened);
  wchar_t data[MAX_PATH * 2 + 3] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), kExeName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  std::wstring program(data);
  if (program.size() >= 2 && program.front() == L'"' && program.back() == L'"') program = program.substr(1, program.size() - 2);
  return program;
}

bool RunValueStarts(HKEY root, const std::wstring& exe) {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    if (SamePath(RunValueProgram(root, view), exe)) return true;
  }
  return false;
}

// `carried` is "older exe\nnew exe": the older one's value goes, from either view, and the
// view of this DLL's architecture (the program's) gets one for the new exe.
void CarryRunValue(HKEY root, const std::wstring& carried) {
  const auto split = carried.find(L'\n');
  if (split == std::wstring::npos) return;
  const std::wstring older = carried.substr(0, split), exe = carried.substr(split + 1);
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY opened = nullptr;
    if (!SamePath(RunValueProgram(root, view), older) ||
        RegOpenKeyExW(root, kRunKey, 0, KEY_SET_VALUE | view, &opened) != ERROR_SUCCESS) {
      continue;
    }
    UniqueKey key(opened);
    RegDeleteValueW(key.get(), kExeName);
  }
  HKEY created = nullptr;
  if (RegCreateKeyExW(root, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS) return;
  UniqueKey key(created);
  const std::wstring command = RunCommand(exe);
  RegSetValueExW(key.get(), kExeName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

// --- the NSIS setup: one closing at a time, kept here between the two calls ---

struct Closing {
  std::wstring exe;
  DWORD restartManager = 0;
  bool inSession = false;
  std::vector<ClosedCopy> closedHere;
};
Closing closing;

// --- the msi ---

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
  DWORD length = 0;
  wchar_t none[1] = L"";
  if (MsiGetPropertyW(install, name, none, &length) != ERROR_MORE_DATA) return {};
  std::wstring value(length + 1, L'\0');
  length = static_cast<DWORD>(value.size());
  if (MsiGetPropertyW(install, name, value.data(), &length) != ERROR_SUCCESS) return {};
  value.resize(length);
  return value;
}

std::wstring Formatted(MSIHANDLE install, const wchar_t* text) {
  UniqueMsiHandle record(MsiCreateRecord(0));
  MsiRecordSetStringW(record.get(), 0, text);
  wchar_t value[MAX_PATH * 2];
  DWORD length = MAX_PATH * 2;
  return MsiFormatRecordW(install, record.get(), value, &length) == ERROR_SUCCESS ? std::wstring(value, length)
                                                                                  : std::wstring();
}

// The first row of a query on the package's own tables; empty when there is none.
UniqueMsiHandle FirstRow(MSIHANDLE install, const wchar_t* query) {
  UniqueMsiHandle database(MsiGetActiveDatabase(install));
  MSIHANDLE view = 0;
  if (!database || MsiDatabaseOpenViewW(database.get(), query, &view) != ERROR_SUCCESS) return {};
  UniqueMsiHandle ownedView(view);
  MSIHANDLE row = 0;
  if (MsiViewExecute(view, 0) != ERROR_SUCCESS || MsiViewFetch(view, &row) != ERROR_SUCCESS) return {};
  return UniqueMsiHandle(row);
}

// True when a product other than this one also uses the program's component: then this
// product's removal (an upgrade's removal of the older version) leaves the exe in place.
bool AnotherProductUsesTheProgram(MSIHANDLE install) {
  UniqueMsiHandle row = FirstRow(install, L"SELECT `ComponentId` FROM `Component` WHERE `Component` = 'Program'");
  wchar_t component[39];
  DWORD length = 39;
  if (!row || MsiRecordGetStringW(row.get(), 1, component, &length) != ERROR_SUCCESS) return false;
  const std::wstring self = Property(install, L"ProductCode");
  wchar_t product[39];
  for (DWORD i = 0; MsiEnumClientsW(component, i, product) == ERROR_SUCCESS; ++i) {
    if (!SamePath(product, self)) return true;
  }
  return false;
}

// The exe on disk differs from the package's: Windows Installer replaces an unversioned
// file whose hash is not the one in the MsiFileHash table (or any file, with REINSTALLMODE "a").
bool DiffersFromThePackage(MSIHANDLE install, const std::wstring& exe) {
  if (Property(install, L"REINSTALLMODE").find_first_of(L"aA") != std::wstring::npos) return true;
  MSIFILEHASHINFO onDisk{};
  onDisk.dwFileHashInfoSize = sizeof onDisk;
  if (MsiGetFileHashW(exe.c_str(), 0, &onDisk) != ERROR_SUCCESS) return true;
  UniqueMsiHandle row = FirstRow(install,
                                 L"SELECT `HashPart1`, `HashPart2`, `HashPart3`, `HashPart4` FROM `MsiFileHash` "
                                 L"WHERE `File_` = 'RespitePrompter.exe'");
  if (!row) return true;
  for (UINT part = 0; part < 4; ++part) {
    if (static_cast<ULONG>(MsiRecordGetInteger(row.get(), part + 1)) != onDisk.dwData[part]) return true;
  }
  return false;
}

// The folder of the older version this install replaces (WIX_UPGRADE_DETECTED, set by
// FindRelatedProducts, lists product codes), as its entry's InstallLocation has it.
std::wstring OlderInstallFolder(MSIHANDLE install) {
  const std::wstring products = Property(install, L"WIX_UPGRADE_DETECTED") + L";";
  for (size_t at = 0, end; (end = products.find(L';', at)) != std::wstring::npos; at = end + 1) {
    const std::wstring product = products.substr(at, end - at);
    wchar_t location[MAX_PATH * 2];
    DWORD length = MAX_PATH * 2;
    if (product.empty() ||
        MsiGetProductInfoW(product.c_str(), INSTALLPROPERTY_INSTALLLOCATION, location, &length) != ERROR_SUCCESS ||
        length == 0) {
      continue;
    }
    std::wstring folder(location, length);
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
  }
  return {};
}

// Whether this install removes or replaces the installed exe, so that a copy running it must close.
bool InstallChangesTheExe(MSIHANDLE install, const std::wstring& exe) {
  if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  // The package has one feature: any removal removes the program.
  if (!Property(install, L"REMOVE").empty()) return !AnotherProductUsesTheProgram(install);
  return DiffersFromThePackage(install, exe);
}

}  // namespace

// NSIS: closes the copies running `exe` before the setup replaces it, through the Restart
// Manager where it has one, and by their main window where it has not or could not. Returns
// how many this DLL closed itself. RestartProgram undoes it.
extern "C" __declspec(dllexport) int __stdcall CloseProgram(const wchar_t* exe) {
  closing = Closing{};
  closing.exe = exe;
  wchar_t key[CCH_RM_SESSION_KEY + 1];
  if (RmStartSession(&closing.restartManager, 0, key) == ERROR_SUCCESS) {
    closing.inSession = true;
    LPCWSTR files[] = {exe};
    if (RmRegisterResources(closing.restartManager, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
      RmShutdown(closing.restartManager, 0, nullptr);
    }
  }
  closing.closedHere = CloseCopies(closing.exe);
  return static_cast<int>(closing.closedHere.size());
}

// NSIS: at the end of the install, done or failed: the Restart Manager starts again what it
// closed; what was closed here is started here.
extern "C" __declspec(dllexport) void __stdcall RestartProgram() {
  if (closing.inSession) {
    RmRestart(closing.restartManager, 0, nullptr);
    RmEndSession(closing.restartManager);
  }
  for (const ClosedCopy& copy : closing.closedHere) StartProgram(closing.exe, copy.token.get());
  closing = Closing{};
}

// msi, immediate, after InstallInitialize, only where Windows Installer has no Restart
// Manager session: when this install replaces or removes the exe, closes the copies running
// it and leaves its path where StartClosedProgram finds it, for RestartProgram after the
// install and as the data of RestartProgramOnRollback.
extern "C" __declspec(dllexport) UINT __stdcall CloseProgramForInstall(MSIHANDLE install) {
  const std::wstring exe = Formatted(install, kExeFileKey);
  if (exe.empty() || !InstallChangesTheExe(install, exe)) return ERROR_SUCCESS;
  if (!CloseCopies(exe).empty()) {
    MsiSetPropertyW(install, kClosedProperty, exe.c_str());
    MsiSetPropertyW(install, kRollbackAction, exe.c_str());
  }
  return ERROR_SUCCESS;
}

// msi, immediate, after InstallInitialize, when an older version is installed: what of the
// user's choices it holds outside the package and must come over to this install. The Run
// values that start the older exe are written again after the older product's removal (which
// keeps them on Windows; Wine's removes them). When the older version lives in another folder
// (the other architecture's Program Files), its activated skin moves over with the files, and a
// copy running there is closed now, for the new exe to be started at the end.
extern "C" __declspec(dllexport) UINT __stdcall FindOlderInstall(MSIHANDLE install) {
  const std::wstring exe = Formatted(install, kExeFileKey);
  const std::wstring older = OlderInstallFolder(install);
  if (exe.empty() || older.empty()) return ERROR_SUCCESS;
  const std::wstring olderExe = older + kExeName;
  const std::wstring carried = olderExe + L"\n" + exe;
  if (RunValueStarts(HKEY_LOCAL_MACHINE, olderExe)) MsiSetPropertyW(install, L"CarryMachineRunValue", carried.c_str());
  if (RunValueStarts(HKEY_CURRENT_USER, olderExe)) MsiSetPropertyW(install, L"CarryUserRunValue", carried.c_str());
  if (SamePath(olderExe, exe)) return ERROR_SUCCESS;

  const std::wstring skin = older + kActiveSkin, newSkin = FolderOf(exe) + kActiveSkin;
  if (Exists(skin) && !Exists(newSkin)) {
    MsiSetPropertyW(install, L"MoveActiveSkin", (skin + L"\n" + newSkin).c_str());
    MsiSetPropertyW(install, L"MoveActiveSkinBack", (newSkin + L"\n" + skin).c_str());
  }
  if (!CloseCopies(olderExe).empty()) {
    MsiSetPropertyW(install, kClosedProperty, exe.c_str());
    MsiSetPropertyW(install, kRollbackAction, olderExe.c_str());
  }
  return ERROR_SUCCESS;
}

// msi, deferred with the installer's rights (and as a rollback, the other way): CustomActionData
// "from\nto" moves a skin file into its folder, made if need be, and removes the folder it left
// when that is empty. A skin already at `to` stays.
extern "C" __declspec(dllexport) UINT __stdcall MoveActiveSkin(MSIHANDLE install) {
  const std::wstring data = Property(install, L"CustomActionData");
  const auto split = data.find(L'\n');
  if (split == std::wstring::npos) return ERROR_SUCCESS;
  const std::wstring from = data.substr(0, split), to = data.substr(split + 1);
  CreateDirectoryW(FolderOf(to).c_str(), nullptr);
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED)) RemoveDirectoryW(FolderOf(from).c_str());
  return ERROR_SUCCESS;
}

// msi, deferred after RemoveExistingProducts: the machine-wide value with the installer's
// rights, the user's as the user (CustomActionData "older exe\nnew exe").
extern "C" __declspec(dllexport) UINT __stdcall CarryMachineRunValue(MSIHANDLE install) {
  CarryRunValue(HKEY_LOCAL_MACHINE, Property(install, L"CustomActionData"));
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall CarryUserRunValue(MSIHANDLE install) {
  CarryRunValue(HKEY_CURRENT_USER, Property(install, L"CustomActionData"));
  return ERROR_SUCCESS;
}

// msi: starts what CloseProgramForInstall or FindOlderInstall closed, as the user who runs the
// install: at the end (immediate) or when the install is rolled back (its CustomActionData).
// Wine leaves the last deferred action's CustomActionData set for the immediate ones after it.
extern "C" __declspec(dllexport) UINT __stdcall StartClosedProgram(MSIHANDLE install) {
  const bool rollback = MsiGetMode(install, MSIRUNMODE_SCHEDULED) || MsiGetMode(install, MSIRUNMODE_ROLLBACK);
  const std::wstring exe = Property(install, rollback ? L"CustomActionData" : kClosedProperty);
  if (!exe.empty()) StartProgram(exe, nullptr);
  return ERROR_SUCCESS;
}
