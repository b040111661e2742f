#include "win32/Win32Registry.h"

#include <windows.h>

#include <string>

#include "win32/Handles.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}

  std::int32_t SetValue(std::string_view name, std::uint32_t type,
                        std::span<const std::uint8_t> data) override {
    const std::wstring wideName = Widen(name);
    if (type != REG_SZ)
      return RegSetValueExW(key_.get(), wideName.c_str(), 0, type, data.data(),
                            static_cast<DWORD>(data.size()));
    // The core's text is UTF-8 with its terminating zero; the system stores UTF-16.
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    const std::wstring wide = Widen(text);
    return RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  }

  std::int32_t DeleteValue(std::string_view name) override {
    return RegDeleteValueW(key_.get(), Widen(name).c_str());
  }

 private:
  UniqueKey key_;
};

OpenedKey Opened(LSTATUS status, HKEY key) {
  OpenedKey opened;
  opened.status = status;
  if (status == ERROR_SUCCESS) opened.key = std::make_unique<Win32RegistryKey>(key);
  return opened;
}

}  // namespace

OpenedKey Win32Registry::OpenKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) {
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(RootKey(root), Widen(subkey).c_str(), 0, access, &key);
  return Opened(status, key);
}

OpenedKey Win32Registry::CreateKey(RegistryRoot root, std::string_view subkey,
                                   std::uint32_t access) {
  HKEY key = nullptr;
  const LSTATUS status = RegCreateKeyExW(RootKey(root), Widen(subkey).c_str(), 0, nullptr, 0,
                                         access, nullptr, &key, nullptr);
  return Opened(status, key);
}

}  // namespace rp::win32
