#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace rp {

// The per-user settings area: named text values, read at start-up, written on every change.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(std::string_view name) = 0;
  virtual void Write(std::string_view name, std::string_view value) = 0;
  // Deletes the value; nothing happens when it is not there.
  virtual void Remove(std::string_view name) = 0;
};

}  // namespace rp
