#include "sim/SimSettings.h"

namespace rp::sim {

std::optional<std::string> SimSettings::Read(std::string_view name) {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

void SimSettings::Write(std::string_view name, std::string_view value) {
  values[std::string(name)] = std::string(value);
  writes.emplace_back(std::string(name), std::string(value));
}

void SimSettings::Remove(std::string_view name) {
  if (auto it = values.find(name); it != values.end()) values.erase(it);
  removals.emplace_back(name);
}

PolicyValue SimSettings::ReadPolicy(PolicyScope scope, std::string_view name) {
  const Policies& policies = scope == PolicyScope::Machine ? machinePolicy : userPolicy;
  auto it = policies.find(name);
  if (it == policies.end()) return {};
  if (!it->second) return {PolicyValue::State::Unreadable, ""};
  return {PolicyValue::State::Set, *it->second};
}

}  // namespace rp::sim
