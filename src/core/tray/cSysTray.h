#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ports/EventLoop.h"
#include "ports/Shell.h"
#include "ports/Ui.h"
#include "runtime/Timer.h"
#include "tray/mSysTray.h"

namespace rp {

class Form;
struct NotifyIconRecord;

// The values a form keeps for the control between runs; an absent value takes its default.
struct TrayProperties {
  std::optional<bool> InTray;
  std::shared_ptr<Picture> TrayIcon;
  std::optional<std::string> TrayTip;
};

inline constexpr std::string_view kDefaultTrayTip = "Telnet Server";
// The control always keeps this size, in twips.
inline constexpr int kTrayControlSize = 510;
// A refused add is tried again this often, for this long.
inline constexpr int kAddRetryMs = 2000;
inline constexpr int kAddRetryForMs = 120000;

// What the control calls on: the routing of the shell's messages, the shell itself, the timers
// of its add retries, and the event loop a balloon waits in.
struct TrayServices {
  SysTrayModule& routing;
  Shell& shell;
  TimerService& timers;
  EventLoop& loop;
};

// The notification-area icon of a window, with its hover tip and balloons. Its own window,
// a hidden child of the host's, is created with the host's window and hears the shell.
class cSysTray {
 public:
  // stored: what the host form keeps for this control.
  cSysTray(const TrayServices& services, Form& host, std::string name, TrayProperties stored);
  ~cSysTray();
  cSysTray(const cSysTray&) = delete;
  cSysTray& operator=(const cSysTray&) = delete;

  const std::shared_ptr<Picture>& TrayIcon() const { return icon_; }
  void SetTrayIcon(std::shared_ptr<Picture> Icon);
  const std::string& TrayTip() const { return tip_; }
  void SetTrayTip(std::string Tip);
  // The control's standard text is its tip.
  const std::string& Text() const { return tip_; }
  void SetText(std::string text) { SetTrayTip(std::move(text)); }
  bool InTray() const { return inTray_; }
  void SetInTray(bool Show);
  // Shows a balloon from the icon and, for ShowTimer > 0, waits up to that many seconds
  // while events flow; a balloon notification ends the wait at once.
  void ShowBalloon(std::string_view Tip, std::string_view sTitle, std::int32_t ShowTimer,
                   bool ShowOnce = false);

  // The shell restarted and has forgotten the icon: add it again, with its tip.
  void ShellRestarted();

  // From the tray routing: the shell's message about the icon, and the icon's identifier.
  void HandleTrayMessage(std::int32_t message, std::int32_t Id);

  // Events. Button: 1 left, 2 right.
  std::function<void(std::int32_t Id)> MouseMove;
  std::function<void(int Button, std::int32_t Id)> MouseDown;
  std::function<void(int Button, std::int32_t Id)> MouseUp;
  std::function<void(int Button, std::int32_t Id)> MouseDblClick;

  // Life cycle, as the host drives it.
  void UserControl_Initialize();
  void UserControl_InitProperties();
  void UserControl_ReadProperties(const TrayProperties& bag);
  void UserControl_WriteProperties(TrayProperties& bag) const;
  void UserControl_Resize();
  void UserControl_Terminate();

  std::uintptr_t ControlHwnd() const { return controlHwnd_; }
  std::int32_t IconId() const { return iconId_; }
  bool IconAdded() const { return iconAdded_; }
  bool BalloonUp() const { return balloonUp_; }
  std::int32_t ShowOnceCount() const { return showOnceCount_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  // Creates the window once the host has one, then reads the stored properties.
  void Create();
  void AddIcon(std::uintptr_t hwnd, std::int32_t id, const std::string& tip,
               const std::shared_ptr<Picture>& icon);
  void DeleteIcon(std::uintptr_t hwnd, std::int32_t id);
  // A tick of addRetry_: the icon is added again while it is wanted and the shell refuses it.
  void RetryAdd();
  void StopAddRetries();
  NotifyIconRecord NewRecord(std::uintptr_t hwnd, std::int32_t id) const;
  bool Send(std::uint32_t message, const NotifyIconRecord& record);
  std::string Ansi(std::string_view text, std::size_t maxChars);
  template <class Handler, class... Args>
  void Raise(std::string_view event, const Handler& handler, Args... args);

  SysTrayModule& routing_;
  Shell& shell_;
  EventLoop& loop_;
  Form& host_;
  std::string name_;
  TrayProperties stored_;
  bool created_ = false;
  std::unique_ptr<ControlWindow> window_;

  bool inTray_ = false;
  std::int32_t iconId_ = 0;
  std::string tip_;
  std::uintptr_t controlHwnd_ = 0;
  std::shared_ptr<Picture> icon_;
  bool iconAdded_ = false;
  bool balloonUp_ = false;
  std::int32_t showOnceCount_ = 0;
  int width_ = 0, height_ = 0;
  Timer addRetry_;
  int addRetriesLeft_ = 0;
};

}  // namespace rp
