#include "win32/Win32Services.h"
#include "win32/Text.h"

// The administrator's policies for the program, read-only. HKLM\Software\Policies is one key
// for 32- and 64-bit programs alike (Windows does not redirect it), so the 32-bit program reads
// what the 64-bit Group Policy client wrote there.
namespace rp::win32 {
namespace {

constexpr wchar_t kPolicyKey[] = L"Software\\Policies\\Kelvadore\\Periodic Respite Prompter";

}  // namespace

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
