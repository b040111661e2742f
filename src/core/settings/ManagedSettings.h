#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingTable.h"
#include "ports/Settings.h"

namespace rp {

// Where the value in force comes from, weakest first.
enum class SettingSource { Default, UserValue, UserPolicy, MachinePolicy };

// The settings as the program uses them: a value an administrator set under the machine's
// policy key wins over one under the user's policy key, which wins over the user's own value,
// which wins over the default. Policies are read afresh at every call, so a change applies at
// the next read; the program never writes them, nor the user's own value of a setting they set.
class ManagedSettings {
 public:
  explicit ManagedSettings(SettingsStore& store) : store_(store) {}

  std::string Get(std::string_view name, std::string_view defaultValue);
  SettingSource Source(std::string_view name);
  bool SetByPolicy(std::string_view name) { return Source(name) >= SettingSource::UserPolicy; }
  // Stores the user's own value, unless a policy sets the setting.
  void Save(std::string_view name, std::string_view value);
  // Removes the user's own value, unless a policy sets the setting.
  void Remove(std::string_view name);
  // The user's own stored value, whatever a policy says.
  std::optional<std::string> UserValue(std::string_view name);
  // The settings with a policy value that is there but cannot be used (not text, no access, or
  // no value the setting takes): it is ignored and the user's value stands.
  std::vector<std::string> IgnoredPolicies();

 private:
  struct Policy {
    std::string text;
    SettingSource source;
  };
  std::optional<Policy> PolicyFor(const SettingDefinition& setting);

  SettingsStore& store_;
};

// The row of a setting the program uses; throws Failure for a name missing from the table.
const SettingDefinition& KnownSetting(std::string_view name);

}  // namespace rp
