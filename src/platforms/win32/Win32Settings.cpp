#include "win32/Win32Settings.h"

#include <windows.h>

#include "win32/Handles.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvadore\\Periodic Respite Prompter Utility";
// An administrator's policies, read-only, under HKLM and HKCU. HKLM\Software\Policies is one key
// for 32- and 64-bit programs alike (Windows does not redirect it), so the 32-bit program reads
// what the 64-bit Group Policy client wrote there.
constexpr wchar_t kPolicyKey[] = L"Software\\Policies\\Kelvadore\\Periodic Respite Prompter";

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

void Win32Settings::Remove(std::string_view name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS) return;
  UniqueKey key(raw);
  RegDeleteValueW(key.get(), Widen(name).c_str());
}

PolicyValue Win32Settings::ReadPolicy(PolicyScope scope, std::string_view name) {
  const HKEY root = scope == PolicyScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const std::wstring valueName = Widen(name);
  // Text only (an expandable text comes expanded); a number or binary value is unreadable.
  constexpr DWORD kText = RRF_RT_REG_SZ;
  DWORD bytes = 0;
  LSTATUS status = RegGetValueW(root, kPolicyKey, valueName.c_str(), kText, nullptr, nullptr, &bytes);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  std::wstring data;
  if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    status = RegGetValueW(root, kPolicyKey, valueName.c_str(), kText, nullptr, data.data(), &bytes);
  }
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS) return {PolicyValue::State::Unreadable, ""};
  data.resize(bytes / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();  // the stored terminator
  return {PolicyValue::State::Set, Narrow(data)};
}

}  // namespace rp::win32
