#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/Controls.h"
#include "runtime/Conversions.h"
#include "runtime/Form.h"
#include "ports/Platform.h"
#include "sim/SimClock.h"
#include "sim/SimRegistry.h"
#include "sim/SimShell.h"

namespace rp::sim {

// Thrown by EndProgram: it unwinds every handler, as the end of the process would.
struct ProgramEnded {};

// Thrown when a wait could only go on for ever: nothing is pending and nothing is scheduled.
struct Stuck {};

class SimSettings : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, std::string_view value) override;

  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::pair<std::string, std::string>> writes;  // every write, in order
};

struct SimFile {
  std::string content;
  bool hidden = false;
  bool system = false;
  bool directory = false;
  bool unreadable = false;  // listed, but opening it fails (locked, no permission)
};

class SimFiles : public Files {
 public:
  std::string ProgramFolder() override { return programFolder; }
  std::string ProgramPath() override;
  bool CanReadModificationTime(std::string_view path) override;
  std::optional<std::string> FindOrdinaryFile(std::string_view pattern) override;
  std::optional<std::string> ReadFile(std::string_view path) override;
  // Writing (SimFilesWriting.cpp).
  std::string LocalAppDataFolder() override { return localAppData; }
  bool CreateFolder(std::string_view path) override;
  bool WriteNewFile(std::string_view path, std::string_view content) override;
  bool MoveReplacing(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;

  void Add(const std::string& path, SimFile file = {});
  // The content of a file, "<absent>" when there is none.
  std::string Content(const std::string& path);
  std::string programFolder = "C:\\Program Files\\Respite";
  std::string programName = "RespitePrompter.exe";
  std::map<std::string, SimFile> files;  // keyed by the lower-case path
  std::string localAppData = "C:\\Users\\Ann\\AppData\\Local";
  // Faults of the disk: a write stops half way (the disk is full), no folder can be made (the
  // drive is gone). An unreadable file (held open elsewhere) can be neither replaced nor deleted.
  bool diskFull = false;
  bool foldersFail = false;
};

struct SimMessageBox {
  std::string text, title;
  int style;
};

class SimDialogs : public Dialogs {
 public:
  int MessageBox(std::string_view text, std::string_view title, int style) override;
  std::string OpenFile(std::string_view title, std::string_view filter) override;
  std::string SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) override;

  std::vector<SimMessageBox> boxes;
  struct OpenRequest {
    std::string title, filter;
  };
  std::vector<OpenRequest> openRequests;
  std::deque<std::string> openAnswers;  // "" cancels; an empty queue cancels too
  bool openFails = false;
  std::vector<std::string> saveRequests;  // the titles of the save dialogs shown
  std::deque<std::string> saveAnswers;    // "" cancels; an empty queue cancels too
  std::deque<int> boxAnswers;             // the buttons pressed in the next boxes; OK after them
  // Runs while a modal box is up, as the user's other actions would.
  std::function<void(const SimMessageBox&)> whileBoxIsUp;
};

class SimPlayer : public MediaPlayer {
 public:
  void SetLoop(bool loop) override;
  void Close() override;
  void SetUrl(std::string_view path) override;

  std::vector<std::string> calls;  // "loop on", "loop off", "close", "url <path>"
  bool looping = false;
  std::string playing;  // the path being played, "" when closed
};

// The portable number reading, under the separators a test gives the user's locale.
class SimNumbers : public Numbers {
 public:
  bool IsNumeric(std::string_view text) override { return rp::IsNumeric(text, separators); }
  std::int16_t ToInteger16(std::string_view text) override {
    return rp::ToInteger16(text, separators);
  }

  NumberSeparators separators;
};

class SimDesktop;

// The user's presence as the test sets it; idleness runs on the virtual clock.
class SimPresence : public Presence {
 public:
  explicit SimPresence(EventLoop& clock) : clock_(clock) {}
  std::int64_t IdleMs() override;
  bool DisplayRequired() override;
  NotificationState UserNotificationState() override;
  bool CameraOrMicrophoneInUse() override;
  void WatchSession(SessionListener* l) override { listener = l; }

  std::int64_t lastInputMs = 0;
  bool displayRequired = false;
  NotificationState notificationState = NotificationState::AcceptsNotifications;
  bool cameraOrMicrophoneInUse = false;
  SessionListener* listener = nullptr;
  // How often the program asked: idleness and the display, and what may hold a break.
  int idleQueries = 0;
  int holdQueries = 0;

 private:
  EventLoop& clock_;
};

class SimPicture : public Picture {
 public:
  SimPicture(std::uintptr_t handle) : handle_(handle) {}
  int Type() const override { return kPictureIcon; }
  std::uintptr_t Handle() const override { return handle_; }

 private:
  std::uintptr_t handle_;
};

// What a native window would show for a form.
class SimFormView : public FormView {
 public:
  SimFormView(SimDesktop& desktop, Form& form);
  ~SimFormView() override;
  void Refresh() override;
  void SetFocus() override;
  int OuterWidth() override;
  int OuterHeight() override;
  ScreenMetrics Screen() override;
  std::uintptr_t Handle() override { return handle; }

  Form& form;
  std::uintptr_t handle;
  int dpi;  // of the monitor the window is on
  bool shown = false;
  int focusCount = 0;
  std::vector<std::pair<int, int>> positions;  // every distinct Left/Top shown

 private:
  SimDesktop& desktop_;
};

// The simulated desktop: a virtual clock, timers, posted events, windows, files, settings.
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
  void SetApplicationTitle(std::string_view title) override { applicationTitle = title; }
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
  void Close(Form& form, int reason = kCloseFromControlMenu) {
    Run([&] { form.UserClose(reason); });
  }
  void MouseMove(Control& control) { Run([&] { control.UserMouseMove(); }); }
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
  Platform platform;

  int dpi = 96;  // the system's, as at log-on
  // The dots per inch of the monitor on which windows open; 0: the system's.
  int monitorDpi = 0;
  int screenWidthPixels = 1280, screenHeightPixels = 1024;
  // Forms (by name) for which the system cannot create a window: CreateView fails.
  std::set<std::string, std::less<>> refusedWindows;
  std::string applicationTitle;
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
