#include "win32/Win32Services.h"

#include <commdlg.h>
#include <objbase.h>

#include <algorithm>
#include <vector>

#include "runtime/Failure.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvadore\\Periodic Respite Prompter Utility";
constexpr DWORD kLargestSkinFile = 1 << 20;

}  // namespace

std::optional<std::string> Win32Settings::Read(std::string_view name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
    return std::nullopt;
  UniqueKey key(raw);
  const std::wstring valueName = Widen(name);
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  data.resize(bytes / sizeof(wchar_t));
  if (!data.empty() && data.back() == L'\0') data.pop_back();  // the stored terminator
  return Narrow(data);
}

void Win32Settings::Write(std::string_view name, std::string_view value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS)
    return;
  UniqueKey key(raw);
  const std::wstring data = Widen(value);
  RegSetValueExW(key.get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

std::string Win32Files::ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string Win32Files::ProgramFolder() {
  std::string path = ProgramPath();
  const auto slash = path.rfind('\\');
  if (slash == std::string::npos) return path;
  // A drive root keeps its separator ("C:\").
  path.erase(slash == 2 && path[1] == ':' ? slash + 1 : slash);
  return path;
}

bool Win32Files::CanReadModificationTime(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  const std::wstring wide = Widen(path);
  if (wide.find_first_of(L"*?") != std::wstring::npos) return false;
  return GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) != 0;
}

std::optional<std::string> Win32Files::FindOrdinaryFile(std::string_view pattern) {
  WIN32_FIND_DATAW found;
  UniqueFind find(FindFirstFileW(Widen(pattern).c_str(), &found));
  if (!find) {
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME) throw Failure("Bad file name or number");
    return std::nullopt;
  }
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if ((found.dwFileAttributes & kNotOrdinary) == 0) return Narrow(found.cFileName);
  } while (FindNextFileW(find.get(), &found));
  return std::nullopt;
}

std::optional<std::string> Win32Files::ReadFile(std::string_view path) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestSkinFile) return std::nullopt;
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!::ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr))
    return std::nullopt;
  content.resize(read);
  return content;
}

bool Win32Files::WriteFile(std::string_view path, std::string_view content) {
  const std::wstring wide = Widen(path);
  UniqueFile file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  const bool whole = ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                     written == content.size();
  file.reset();
  // A file cut short is worse than none: it would be read back as fewer settings.
  if (!whole) DeleteFileW(wide.c_str());
  return whole;
}

int Win32Dialogs::MessageBox(std::string_view text, std::string_view title, int style) {
  return MessageBoxA(GetActiveWindow(), ToAnsiCodePage(text).c_str(), ToAnsiCodePage(title).c_str(),
                     static_cast<UINT>(style));
}

std::string Win32Dialogs::OpenFile(std::string_view title, std::string_view filter) {
  return ShowFileDialog(false, title, filter, "");
}

std::string Win32Dialogs::SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) {
  return ShowFileDialog(true, title, filter, fileName);
}

std::string Win32Dialogs::ShowFileDialog(bool save, std::string_view title, std::string_view filter,
                                         std::string_view fileName) {
  // The dialog shows the shell's folders, which are COM objects; without COM it still opens.
  StartCom();
  const auto getOpenFileName = comdlg32_.Get<decltype(&GetOpenFileNameW)>("GetOpenFileNameW");
  const auto getSaveFileName = comdlg32_.Get<decltype(&GetSaveFileNameW)>("GetSaveFileNameW");
  const auto extendedError = comdlg32_.Get<decltype(&CommDlgExtendedError)>("CommDlgExtendedError");
  // "Description|pattern|" becomes "Description\0pattern\0\0".
  std::wstring filterList = Widen(filter);
  for (wchar_t& c : filterList)
    if (c == L'|') c = L'\0';
  filterList.push_back(L'\0');
  const std::wstring wideTitle = Widen(title);
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring offered = Widen(fileName);
  offered.copy(file.data(), std::min(offered.size(), file.size() - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = wideTitle.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (save) {
    dialog.lpstrDefExt = L"txt";
    dialog.Flags |= OFN_OVERWRITEPROMPT;
  } else {
    dialog.Flags |= OFN_FILEMUSTEXIST;
  }
  if (save ? getSaveFileName(&dialog) : getOpenFileName(&dialog)) return Narrow(file.data());
  if (extendedError() != 0) throw Failure("The file dialog could not be opened");
  return "";
}

}  // namespace rp::win32
