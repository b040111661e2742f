#pragma once
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "ports/Hotkeys.h"

namespace rp::sim {

// The system's table of keys that work from anywhere: the program's own, and those the test
// says another program holds.
class SimHotkeys : public Hotkeys {
 public:
  bool Register(std::uintptr_t window, int id, Hotkey key) override {
    ++registerCalls;
    if (Held(key)) return false;
    registered[{window, id}] = key;
    return true;
  }
  void Unregister(std::uintptr_t window, int id) override { registered.erase({window, id}); }

  // True when the key is registered by anyone.
  bool Held(Hotkey key) const {
    for (const Hotkey& taken : takenElsewhere)
      if (taken == key) return true;
    for (const auto& [owner, registeredKey] : registered)
      if (registeredKey == key) return true;
    return false;
  }
  // The user presses the key: the program hears it only when it registered the key.
  bool Press(Hotkey key) {
    for (const auto& [owner, registeredKey] : registered) {
      if (registeredKey == key && onPressed) {
        onPressed(owner.second);
        return true;
      }
    }
    return false;
  }

  std::map<std::pair<std::uintptr_t, int>, Hotkey> registered;
  std::vector<Hotkey> takenElsewhere;
  int registerCalls = 0;
};

}  // namespace rp::sim
