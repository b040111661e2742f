#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ports/Hotkeys.h"
#include "runtime/Form.h"
#include "settings/HotkeyText.h"

namespace rp {

// What the keys' actions depend on, as the main window sees it now.
struct KeyConditions {
  bool reminding = false;
  bool pausable = false;     // reminding, and no policy says whether it is on
  bool breakChoice = false;  // a guided break offers postponing and skipping now
  bool choosing = false;     // the Options window is up: its boxes take the keys as pressed
};

// Whether a key's action can do anything now: its key is registered only then.
bool KeyMayAct(KeyAction action, const KeyConditions& now);

// The keys of the Options window's "Keyboard" group, registered on the main window only while
// their action can act, and released at exit. A key another program holds is named in the tray
// tip, never in a box; it is tried again whenever the conditions change.
class GlobalKeys {
 public:
  struct Hooks {
    std::function<KeyConditions()> conditions;
    std::function<void(KeyAction)> act;
    std::function<void()> refusedChanged;  // the keys that could not be registered changed
  };

  GlobalKeys(Hotkeys& port, Form& window, Hooks hooks);
  ~GlobalKeys();
  GlobalKeys(const GlobalKeys&) = delete;
  GlobalKeys& operator=(const GlobalKeys&) = delete;

  // The chosen keys, taken into use at once.
  void SetKeys(const HotkeyChoices& keys);
  // The conditions may have changed: each key is registered or released as they say.
  void Refresh();
  // The program ends: every key goes back, for good.
  void Release();
  // True when the key could be registered now, or this program holds it already.
  bool Available(Hotkey key);
  // The keys chosen that another program holds, as HotkeyText writes them.
  std::vector<std::string> Refused() const;

 private:
  void Pressed(int id);
  std::uintptr_t Window() const;
  void Unregister(std::size_t index);

  Hotkeys& port_;
  Form& window_;
  Hooks hooks_;
  HotkeyChoices keys_{};
  std::array<bool, kKeyActions> registered_{};
  std::array<bool, kKeyActions> refused_{};
  bool released_ = false;
};

}  // namespace rp
