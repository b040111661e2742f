#pragma once
#include "ports/Dialogs.h"
#include "ports/EventLoop.h"
#include "ports/Fetcher.h"
#include "ports/Files.h"
#include "ports/Hotkeys.h"
#include "ports/MediaPlayer.h"
#include "ports/Monitors.h"
#include "ports/Numbers.h"
#include "ports/Presence.h"
#include "ports/Registry.h"
#include "ports/Settings.h"
#include "ports/Shell.h"
#include "ports/TimeZones.h"
#include "ports/Ui.h"
#include "ports/WallClock.h"

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
  WallClock& clock;
  Monitors& monitors;
  Hotkeys& hotkeys;
  Fetcher& fetcher;
  TimeZones& zones;
};

}  // namespace rp
