#pragma once
#include <cstdint>
#include <functional>

namespace rp {

// A key with its modifiers, as the system registers it: the modifiers in the system's own bits,
// the key as its virtual-key code. A key of 0 is no key.
struct Hotkey {
  static constexpr std::uint8_t kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8;
  std::uint8_t modifiers = 0;
  std::uint16_t key = 0;
  bool Empty() const { return key == 0; }
  bool operator==(const Hotkey&) const = default;
};

// Keys that reach the program from anywhere, registered on one of its windows.
class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  // Makes `key` arrive as `id` on `window`; false when another program holds it.
  virtual bool Register(std::uintptr_t window, int id, Hotkey key) = 0;
  virtual void Unregister(std::uintptr_t window, int id) = 0;
  // Told the id of a registered key the user pressed; set by the core.
  std::function<void(int id)> onPressed;
};

}  // namespace rp
