#include "settings/ManagedSettings.h"

#include "runtime/Failure.h"

namespace rp {
namespace {

constexpr PolicyScope kStrongestFirst[] = {PolicyScope::Machine, PolicyScope::User};

SettingSource SourceOf(PolicyScope scope) {
  return scope == PolicyScope::Machine ? SettingSource::MachinePolicy : SettingSource::UserPolicy;
}

}  // namespace

const SettingDefinition& KnownSetting(std::string_view name) {
  // A setting missing from the table would have no policy and no place in export and import.
  const SettingDefinition* setting = FindSetting(name);
  // TRANSLATORS: {name} is the name of a stored setting, as the program keeps it.
  if (!setting) throw Failure(TrNoop("Unknown setting \"{name}\""), "name", name);
  return *setting;
}

std::optional<ManagedSettings::Policy> ManagedSettings::PolicyFor(const SettingDefinition& setting) {
  if (!SetByPolicies(setting)) return std::nullopt;
  for (PolicyScope scope : kStrongestFirst) {
    PolicyValue value = store_.ReadPolicy(scope, setting.name);
    if (value.state == PolicyValue::State::Set && Accepts(setting, value.text))
      return Policy{std::move(value.text), SourceOf(scope)};
  }
  return std::nullopt;
}

std::string ManagedSettings::Get(std::string_view name, std::string_view defaultValue) {
  if (auto policy = PolicyFor(KnownSetting(name))) return std::move(policy->text);
  auto value = store_.Read(name);
  return value ? *value : std::string(defaultValue);
}

SettingSource ManagedSettings::Source(std::string_view name) {
  if (auto policy = PolicyFor(KnownSetting(name))) return policy->source;
  return store_.Read(name) ? SettingSource::UserValue : SettingSource::Default;
}

void ManagedSettings::Save(std::string_view name, std::string_view value) {
  if (PolicyFor(KnownSetting(name))) return;
  store_.Write(name, value);
}

void ManagedSettings::Remove(std::string_view name) {
  if (PolicyFor(KnownSetting(name))) return;
  store_.Remove(name);
}

std::optional<std::string> ManagedSettings::UserValue(std::string_view name) {
  KnownSetting(name);
  return store_.Read(name);
}

std::vector<std::string> ManagedSettings::IgnoredPolicies() {
  std::vector<std::string> ignored;
  for (const SettingDefinition& setting : kSettings) {
    if (!SetByPolicies(setting)) continue;
    for (PolicyScope scope : kStrongestFirst) {
      const PolicyValue value = store_.ReadPolicy(scope, setting.name);
      if (value.state == PolicyValue::State::Unreadable ||
          (value.state == PolicyValue::State::Set && !Accepts(setting, value.text))) {
        ignored.emplace_back(setting.name);
        break;
      }
    }
  }
  return ignored;
}

}  // namespace rp
