#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ports/Settings.h"

namespace rp::sim {

class SimSettings : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, std::string_view value) override;
  void Remove(std::string_view name) override;
  PolicyValue ReadPolicy(PolicyScope scope, std::string_view name) override;

  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::pair<std::string, std::string>> writes;  // every write, in order
  std::vector<std::string> removals;                        // every value removed, in order
  // The policy keys: a value that is there but unreadable (not text, no access) is nullopt.
  using Policies = std::map<std::string, std::optional<std::string>, std::less<>>;
  Policies machinePolicy, userPolicy;
};

}  // namespace rp::sim
