#include "startup/RegStuff.h"

#include <charconv>
#include <vector>

#include "runtime/Failure.h"

namespace rp::RegStuff {

std::string RunEntryCommand(std::string_view folder, std::string_view fileName) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += fileName;
  if (path.find(' ') != std::string::npos) path = '"' + path + '"';
  return path;
}

void AddRunEntry(Registry& registry, std::string_view programFolder, std::string_view fileName) {
  const std::string command = RunEntryCommand(programFolder, fileName);
  if (SetKeyValue(registry, RegistryRoot::LocalMachine, kRunKey, fileName, command, kRegSz) ==
      kRegSuccess) {
    if constexpr (kProgramIs64Bit)
      DeleteKeyValue(registry, RegistryRoot::LocalMachine, kRunKey, fileName, kKeyWow64_32Key);
    // A copy left in the user's key from an earlier fallback would start the program twice.
    DeleteKeyValue(registry, RegistryRoot::CurrentUser, kRunKey, fileName);
    return;
  }
  // A new profile may lack the user's Run key; creating it there is harmless.
  SetKeyValue(registry, RegistryRoot::CurrentUser, kRunKey, fileName, command, kRegSz, true);
}

void RemoveRunEntry(Registry& registry, std::string_view valueName) {
  DeleteKeyValue(registry, RegistryRoot::LocalMachine, kRunKey, valueName);
  if constexpr (kProgramIs64Bit)
    DeleteKeyValue(registry, RegistryRoot::LocalMachine, kRunKey, valueName, kKeyWow64_32Key);
  DeleteKeyValue(registry, RegistryRoot::CurrentUser, kRunKey, valueName);
}

std::int32_t SetKeyValue(Registry& registry, RegistryRoot root, std::string_view subkey,
                         std::string_view valueName, std::string_view data, std::uint32_t type,
                         bool createKey) {
  OpenedKey opened = createKey ? registry.CreateKey(root, subkey, kKeyReadWrite)
                               : registry.OpenKey(root, subkey, kKeyReadWrite);
  if (!opened.key) return opened.status;
  return WriteTypedValue(*opened.key, valueName, type, data);
}

std::int32_t WriteTypedValue(RegistryKey& key, std::string_view valueName, std::uint32_t type,
                             std::string_view data) {
  std::vector<std::uint8_t> bytes;
  if (type == kRegSz) {
    bytes.assign(data.begin(), data.end());
    bytes.push_back(0);
  } else if (type == kRegDword) {
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(data.data(), data.data() + data.size(), number);
    if (error != std::errc() || end != data.data() + data.size()) throw Failure(kTypeMismatch);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back((number >> shift) & 0xFF);
  } else {
    return 0;
  }
  return key.SetValue(valueName, type, bytes);
}

std::int32_t DeleteKeyValue(Registry& registry, RegistryRoot root, std::string_view subkey,
                            std::string_view valueName, std::uint32_t view) {
  OpenedKey opened = registry.OpenKey(root, subkey, kKeyReadWrite | view);
  if (!opened.key) return opened.status;
  return opened.key->DeleteValue(valueName);
}

}  // namespace rp::RegStuff
