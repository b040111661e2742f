#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/Registry.h"

namespace rp::sim {

struct SimRegistryValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  // The data of a REG_SZ without its terminating zero.
  std::string Text() const;
};

// An in-memory registry that records every call. Key paths are "HKLM\..." or "HKCU\...",
// matched without regard to case or a trailing backslash, as the system matches them.
class SimRegistry : public Registry {
 public:
  SimRegistry();

  OpenedKey OpenKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) override;
  OpenedKey CreateKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) override;

  // The stored value, or nullptr.
  const SimRegistryValue* Find(std::string_view keyPath, std::string_view name) const;
  void AddKey(std::string_view keyPath);
  void RemoveKey(std::string_view keyPath);

  // When set, HKEY_LOCAL_MACHINE refuses write access, as it does for a standard user.
  bool machineWideReadOnly = false;
  // Every call, in order: "open HKLM\SOFTWARE\... 0x3F -> 0", "create HKCU\... 0x3F -> 0",
  // "set <name> <type> <text> -> 0", "delete <name> -> 2", "close".
  std::vector<std::string> calls;

 private:
  friend class SimRegistryKey;
  OpenedKey Open(const char* verb, RegistryRoot root, std::string_view subkey,
                 std::uint32_t access, bool create);

  // Keyed by the normalised key path, then by the lower-case value name.
  std::map<std::string, std::map<std::string, SimRegistryValue>> keys_;
};

}  // namespace rp::sim
