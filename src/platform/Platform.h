#pragma once
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/MediaPlayer.h"
#include "platform/Numbers.h"
#include "platform/Presence.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace rp {

// Everything the core needs from the outside world; win32 and sim each provide one.
struct Platform {
  SettingsStore& settings;
  Files& files;
  Dialogs& dialogs;
  MediaPlayer& player;
  EventLoop& loop;
  Ui& ui;
  Registry& registry;
  Shell& shell;
  Numbers& numbers;
  Presence& presence;
};

}  // namespace rp
