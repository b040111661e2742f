#include "sim/SimRegistry.h"

#include <cctype>
#include <cstdio>

namespace rp::sim {
namespace {

std::string Normalise(std::string_view keyPath) {
  std::string path;
  for (char c : keyPath) path += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string RootName(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

std::string SimRegistryValue::Text() const {
  std::string text(data.begin(), data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

class SimRegistryKey : public RegistryKey {
 public:
  SimRegistryKey(SimRegistry& registry, std::string path, bool writable)
      : registry_(registry), path_(std::move(path)), writable_(writable) {}
  ~SimRegistryKey() override { registry_.calls.push_back("close"); }

  std::int32_t SetValue(std::string_view name, std::uint32_t type,
                        std::span<const std::uint8_t> data) override {
    const std::int32_t status = !writable_                           ? kRegAccessDenied
                                : registry_.keys_.count(path_) == 0 ? kRegFileNotFound
                                                                    : kRegSuccess;
    SimRegistryValue value{type, {data.begin(), data.end()}};
    std::string shown = type == kRegSz ? value.Text() : "";
    if (type == kRegDword && data.size() == 4)
      shown = std::to_string(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24);
    registry_.calls.push_back("set " + std::string(name) + " " + std::to_string(type) + " " +
                              shown + " -> " + std::to_string(status));
    if (status == kRegSuccess) registry_.keys_[path_][Normalise(name)] = std::move(value);
    return status;
  }

  std::int32_t DeleteValue(std::string_view name) override {
    std::int32_t status = writable_ ? kRegFileNotFound : kRegAccessDenied;
    auto key = registry_.keys_.find(path_);
    if (writable_ && key != registry_.keys_.end() && key->second.erase(Normalise(name)) > 0)
      status = kRegSuccess;
    registry_.calls.push_back("delete " + std::string(name) + " -> " + std::to_string(status));
    return status;
  }

 private:
  SimRegistry& registry_;
  std::string path_;
  bool writable_;
};

SimRegistry::SimRegistry() {
  // Both Run keys exist on a fresh system.
  AddKey("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
  AddKey("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  AddKey("HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
}

OpenedKey SimRegistry::Open(const char* verb, RegistryRoot root, std::string_view subkey,
                            std::uint32_t access, bool create) {
  std::string path = Normalise(RootName(root) + "\\" + std::string(subkey));
  // A 64-bit program sees the 32-bit programs' HKLM\SOFTWARE under Wow6432Node.
  if (root == RegistryRoot::LocalMachine && (access & kKeyWow64_32Key) &&
      path.starts_with("HKLM\\SOFTWARE\\"))
    path.insert(14, "WOW6432NODE\\");
  const bool writeRefused = root == RegistryRoot::LocalMachine && machineWideReadOnly;
  OpenedKey opened;
  if (writeRefused && (access & kKeySetValue))
    opened.status = kRegAccessDenied;
  else if (keys_.count(path) == 0 && !(create && !writeRefused))
    opened.status = kRegFileNotFound;
  else {
    keys_[path];
    opened.status = kRegSuccess;
  }
  calls.push_back(std::string(verb) + " " + RootName(root) + "\\" + std::string(subkey) + " " +
                  Hex(access) + " -> " + std::to_string(opened.status));
  if (opened.status == kRegSuccess)
    opened.key = std::make_unique<SimRegistryKey>(*this, path, (access & kKeySetValue) != 0);
  return opened;
}

OpenedKey SimRegistry::OpenKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) {
  return Open("open", root, subkey, access, false);
}

OpenedKey SimRegistry::CreateKey(RegistryRoot root, std::string_view subkey,
                                 std::uint32_t access) {
  return Open("create", root, subkey, access, true);
}

const SimRegistryValue* SimRegistry::Find(std::string_view keyPath, std::string_view name) const {
  auto key = keys_.find(Normalise(keyPath));
  if (key == keys_.end()) return nullptr;
  auto value = key->second.find(Normalise(name));
  return value == key->second.end() ? nullptr : &value->second;
}

void SimRegistry::AddKey(std::string_view keyPath) { keys_[Normalise(keyPath)]; }

void SimRegistry::RemoveKey(std::string_view keyPath) { keys_.erase(Normalise(keyPath)); }

}  // namespace rp::sim
