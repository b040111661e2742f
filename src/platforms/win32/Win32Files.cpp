#include "win32/Win32Files.h"

#include "win32/Pictures.h"

#include <windows.h>

#include "runtime/Failure.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr DWORD kLargestSkinFile = 1 << 20;

}  // namespace

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

PictureRead Win32Files::ReadPicture(std::string_view path, int fitSide) { return DecodePicture(com_, path, fitSide); }

}  // namespace rp::win32
