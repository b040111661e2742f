#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace rp {

// Predefined roots, with the values Windows gives them.
enum class RegistryRoot : std::uint32_t {
  CurrentUser = 0x80000001,
  LocalMachine = 0x80000002,
};

// Value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// Status codes the registry calls return.
inline constexpr std::int32_t kRegSuccess = 0;
inline constexpr std::int32_t kRegFileNotFound = 2;
inline constexpr std::int32_t kRegAccessDenied = 5;

// Access rights asked when opening a key.
inline constexpr std::uint32_t kKeySetValue = 0x0002;
// Query, set, create subkey, enumerate, notify and create link.
inline constexpr std::uint32_t kKeyReadWrite = 0x3F;
// Added to the access: the 32-bit programs' view of HKEY_LOCAL_MACHINE\SOFTWARE on 64-bit Windows
// (where Windows keeps it under Wow6432Node), whatever the caller's own view is.
inline constexpr std::uint32_t kKeyWow64_32Key = 0x0200;
// True in the 64-bit program: its view of HKEY_LOCAL_MACHINE\SOFTWARE is not the 32-bit one.
inline constexpr bool kProgramIs64Bit = sizeof(void*) == 8;

// One open key. Destroying it closes the key.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Writes the value's bytes as they are stored (a REG_SZ includes its terminating zero).
  virtual std::int32_t SetValue(std::string_view name, std::uint32_t type,
                                std::span<const std::uint8_t> data) = 0;
  virtual std::int32_t DeleteValue(std::string_view name) = 0;
};

struct OpenedKey {
  std::int32_t status = kRegFileNotFound;
  std::unique_ptr<RegistryKey> key;  // set only when status is kRegSuccess
};

// The system registry. Names and text data are UTF-8.
class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key with the access asked; never creates it.
  virtual OpenedKey OpenKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) = 0;
  // Opens the key, creating it (and its missing parents) first when it does not exist.
  virtual OpenedKey CreateKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) = 0;
};

}  // namespace rp
