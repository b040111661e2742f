#include "win32/Win32Files.h"

#include <shlobj.h>

#include <vector>

#include "runtime/WindowsPath.h"
#include "win32/Handles.h"
#include "win32/Text.h"

// Writing files: the statistics file and its export.
namespace rp::win32 {

namespace {

std::string ShellFolder(int which) {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) return "";
  return Narrow(folder);
}

}  // namespace

std::string Win32Files::LocalAppDataFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA); }

std::string Win32Files::RoamingAppDataFolder() { return ShellFolder(CSIDL_APPDATA); }

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool Win32Files::CreateFolder(std::string_view path) {
  // A drive or a share ("C:\", "\\server\share\") cannot be made, only found.
  const std::vector<std::string> folders = FoldersBelowRoot(path);
  if (folders.empty()) return IsFolder(Widen(path.ends_with('\\') ? std::string(path) : std::string(path) + '\\'));
  // Each missing folder from the root down; one that exists already is as good as made.
  for (const std::string& folder : folders) {
    const std::wstring wide = Widen(folder);
    if (!CreateDirectoryW(wide.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS && !IsFolder(wide))
      return false;
  }
  return true;
}

bool Win32Files::WriteNewFile(std::string_view path, std::string_view content) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
      written != content.size())
    return false;
  // On the disk before it replaces the old file: a power loss must not leave an empty one.
  return FlushFileBuffers(file.get()) != 0;
}

bool Win32Files::MoveReplacing(std::string_view from, std::string_view to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Files::RemoveFile(std::string_view path) {
  return DeleteFileW(Widen(path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
         GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace rp::win32
