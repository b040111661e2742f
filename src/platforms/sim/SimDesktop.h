#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Platform.h"
#include "sim/SimFetcher.h"
#include "sim/SimTimeZones.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"
#include "sim/SimDialogs.h"
#include "sim/SimFiles.h"
#include "sim/SimFormView.h"
#include "sim/SimHotkeys.h"
#include "sim/SimNumbers.h"
#include "sim/SimPlayer.h"
#include "sim/SimPresence.h"
#include "sim/SimClock.h"
#include "sim/SimMonitors.h"
#include "sim/SimRegistry.h"
#include "sim/SimSettings.h"
#include "sim/SimShell.h"

namespace rp::sim {

// Thrown by EndProgram: it unwinds every handler, as the end of the process would.
struct ProgramEnded {};

// Thrown when a wait could only go on for ever: nothing is pending and nothing is scheduled.
struct Stuck {};

// The simulated desktop: a virtual clock, timers, posted events and windows, holding the fakes
// of the rest of the platform.
class SimDesktop : public EventLoop, public Ui {
 public:
  SimDesktop();
  ~SimDesktop() override;

  // EventLoop
  void DoEvents() override;
  void WaitForEvent(std::int64_t deadlineMs) override;
  std::int64_t NowMs() override { return now_; }
  void EndProgram() override;

  // Ui
  std::unique_ptr<FormView> CreateView(Form& form) override;
  ScreenMetrics Screen() override;
  std::unique_ptr<Picture> LoadPicture(std::string_view path) override;
  std::unique_ptr<Picture> ApplicationIcon() override;
  std::unique_ptr<Picture> TrayIconPicture() override;
  std::unique_ptr<Picture> PeriodIcon(const PeriodPicture& picture) override;
  void SetApplicationTitle(std::string_view title) override { applicationTitle = title; }
  bool AppsUseLightTheme() override { return appsUseLightTheme; }
  void UsePalette(const Palette* used) override {
    palette = used;
    ++paletteChanges;
  }
  // The catalogs the build compiled from po/, as the exe carries them.
  std::string TranslationCatalog(std::string_view tag) override;
  std::string DisplayLanguage() override { return displayLanguage; }
  void Update(Timer& timer) override;
  void Forget(Timer& timer) override;

  // Driving the desktop from a test. Each call stops quietly once the program has ended.
  void Post(std::function<void()> event);
  void RunFor(std::int64_t ms);                   // let virtual time pass, firing what is due
  void Run(const std::function<void()>& action);  // an action of the user's, as a dispatched event
  void Click(Control& control) { Run([&] { control.UserClick(); }); }
  void Type(Control& control, const std::string& text) {
    Run([&] { control.UserSetText(text); });
  }
  // Chooses the entry of a drop-down list that reads `entry`; one it does not hold is no choice.
  void Choose(Control& control, std::string_view entry) {
    const auto& entries = control.Entries();
    const auto at = std::find(entries.begin(), entries.end(), entry);
    Run([&] { control.UserChoose(at == entries.end() ? -1 : static_cast<int>(at - entries.begin())); });
  }
  // Ctrl+Tab, or Ctrl+Shift+Tab (`backwards`), in the window.
  void PressNextPage(Form& form, bool backwards = false) {
    Run([&] { form.UserNextPage(backwards); });
  }
  void Close(Form& form, int reason = kCloseFromControlMenu) {
    Run([&] { form.UserClose(reason); });
  }
  // The close button, Close in the system menu or Alt+F4.
  void PressCloseButton(Form& form) { Run([&] { form.UserCloseButton(); }); }
  // The system says policies changed, or another start imported settings.
  void SettingsChanged(Form& form) { Run([&] { form.UserSettingsChanged(); }); }
  // Windows' apps turn light or dark, and Windows tells every window that its colour set changed.
  void SetAppsLight(Form& form, bool light) {
    appsUseLightTheme = light;
    Run([&] { form.UserColourSetChanged(); });
  }
  void MouseMove(Control& control) { Run([&] { control.UserMouseMove(); }); }
  // The user presses a key anywhere on the desktop; true when a program registered it.
  bool PressKey(Hotkey key) {
    bool heard = false;
    Run([&] { heard = hotkeys.Press(key); });
    return heard;
  }
  // The user touches the keyboard or the mouse now.
  void Input() { presence.lastInputMs = now_; }
  // The session is locked or unlocked, as the system reports it to a watching program.
  void Lock(bool locked);
  // The machine sleeps for `ms`: no timer fires meanwhile, and it reports going and coming back.
  void SleepFor(std::int64_t ms);
  bool Ended() const { return ended_; }
  std::size_t RunningTimers() const { return timers_.size(); }
  std::size_t OpenWindows() const { return views_.size(); }
  SimFormView* ViewOf(const Form& form) const;

  SimSettings settings;
  SimFiles files;
  SimDialogs dialogs;
  SimPlayer player;
  SimRegistry registry;
  SimShell shell{*this};
  SimNumbers numbers;
  SimPresence presence{*this};
  SimClock clock{*this};
  SimMonitors monitors;
  SimHotkeys hotkeys;
  SimFetcher fetcher{files, [this](std::function<void()> event) { Post(std::move(event)); }};
  SimTimeZones zones;
  Platform platform;

  int dpi = 96;  // the system's, as at log-on
  // The dots per inch of the monitor on which windows open; 0: the system's.
  int monitorDpi = 0;
  int screenWidthPixels = 1280, screenHeightPixels = 1024;
  // Forms (by name) for which the system cannot create a window: CreateView fails.
  std::set<std::string, std::less<>> refusedWindows;
  std::string applicationTitle;
  bool appsUseLightTheme = true;
  // The palette the windows are drawn in (nullptr: the design's colours), and how often it was set.
  const Palette* palette = nullptr;
  int paletteChanges = 0;
  // Every period picture the tray icon was drawn for, in order; the n-th icon's handle is
  // kFirstPeriodIcon + n.
  std::vector<PeriodPicture> periodIcons;
  static constexpr std::uintptr_t kFirstPeriodIcon = 0x300;
  // What the system reports as the user's display language.
  std::string displayLanguage = "en-US";
  std::size_t doEventsCount = 0;
  std::size_t waitCount = 0;

 private:
  friend class SimFormView;
  bool FireDue();
  // Runs the oldest posted event; false when none is waiting.
  bool RunNextPosted();
  std::int64_t NextDue() const;

  struct Scheduled {
    std::int64_t due;
    int interval;
  };
  std::int64_t now_ = 0;
  std::map<Timer*, Scheduled> timers_;
  std::deque<std::function<void()>> posted_;
  std::vector<SimFormView*> views_;
  std::uintptr_t nextHandle_ = 0x10010;
  bool ended_ = false;
};

}  // namespace rp::sim
