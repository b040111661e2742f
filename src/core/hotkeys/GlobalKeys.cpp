#include "hotkeys/GlobalKeys.h"

#include <algorithm>

namespace rp {
namespace {

// The keys' ids are their actions' places from 1; the Options window's trial takes the next.
constexpr int kTrialId = static_cast<int>(kKeyActions) + 1;
int IdOf(std::size_t index) { return static_cast<int>(index) + 1; }

}  // namespace

bool KeyMayAct(KeyAction action, const KeyConditions& now) {
  if (now.choosing) return false;
  switch (action) {
    case KeyAction::BreakNow: return now.reminding;
    case KeyAction::Pause: return now.pausable;
    case KeyAction::Postpone:
    case KeyAction::Skip: return now.breakChoice;
  }
  return false;
}

GlobalKeys::GlobalKeys(Hotkeys& port, Form& window, Hooks hooks) : port_(port), window_(window), hooks_(std::move(hooks)) {
  port_.onPressed = [this](int id) { Pressed(id); };
}

GlobalKeys::~GlobalKeys() {
  Release();
  port_.onPressed = nullptr;
}

std::uintptr_t GlobalKeys::Window() const { return window_.View() ? window_.View()->Handle() : 0; }

void GlobalKeys::Unregister(std::size_t index) {
  if (!registered_[index]) return;
  port_.Unregister(Window(), IdOf(index));
  registered_[index] = false;
}

void GlobalKeys::SetKeys(const HotkeyChoices& keys) {
  // Every changed key goes first: a key moved to another action is free for it.
  for (std::size_t i = 0; i < kKeyActions; ++i) {
    if (keys[i] == keys_[i]) continue;
    Unregister(i);
    refused_[i] = false;
    keys_[i] = keys[i];
  }
  Refresh();
}

void GlobalKeys::Refresh() {
  const KeyConditions now = hooks_.conditions();
  const auto refusedBefore = refused_;
  for (std::size_t i = 0; i < kKeyActions; ++i) {
    const bool wanted = !released_ && !keys_[i].Empty() && KeyMayAct(static_cast<KeyAction>(i), now);
    if (!wanted) {
      Unregister(i);
    } else if (!registered_[i]) {
      registered_[i] = port_.Register(Window(), IdOf(i), keys_[i]);
      refused_[i] = !registered_[i];
    }
  }
  if (refused_ != refusedBefore && hooks_.refusedChanged) hooks_.refusedChanged();
}

void GlobalKeys::Release() {
  released_ = true;
  for (std::size_t i = 0; i < kKeyActions; ++i) Unregister(i);
}

bool GlobalKeys::Available(Hotkey key) {
  if (key.Empty()) return true;
  for (std::size_t i = 0; i < kKeyActions; ++i)
    if (registered_[i] && keys_[i] == key) return true;
  if (!port_.Register(Window(), kTrialId, key)) return false;
  port_.Unregister(Window(), kTrialId);
  return true;
}

std::vector<std::string> GlobalKeys::Refused() const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < kKeyActions; ++i)
    if (refused_[i]) names.push_back(HotkeyText(keys_[i]));
  return names;
}

void GlobalKeys::Pressed(int id) {
  if (id < 1 || id > static_cast<int>(kKeyActions)) return;
  const auto action = static_cast<KeyAction>(id - 1);
  // A press queued before the key was released finds its action unable to act.
  if (registered_[static_cast<std::size_t>(id - 1)] && KeyMayAct(action, hooks_.conditions())) hooks_.act(action);
}

}  // namespace rp
