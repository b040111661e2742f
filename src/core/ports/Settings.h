#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace rp {

// Where an administrator's policy for the program lies: the machine's or the user's policy key.
enum class PolicyScope { Machine, User };

// A value in a policy key as the program found it.
struct PolicyValue {
  enum class State { Absent, Set, Unreadable };  // Unreadable: there, but not as text
  State state = State::Absent;
  std::string text;  // when Set
};

// The per-user settings area: named text values, read at start-up, written on every change.
// Beside it, read-only, the two policy keys an administrator fills with values of the same names.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(std::string_view name) = 0;
  virtual void Write(std::string_view name, std::string_view value) = 0;
  // Deletes the value; nothing happens when it is not there.
  virtual void Remove(std::string_view name) = 0;
  virtual PolicyValue ReadPolicy(PolicyScope scope, std::string_view name) = 0;
};

}  // namespace rp
