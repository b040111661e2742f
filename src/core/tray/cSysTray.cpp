#include "tray/cSysTray.h"

#include <exception>
#include <limits>

#include "runtime/Failure.h"
#include "runtime/Form.h"
#include "tray/NotifyIconRecord.h"

namespace rp {
namespace {

// Shell messages about the icon, as the callback's lParam carries them.
constexpr std::int32_t kMouseMove = 512;
constexpr std::int32_t kLeftDown = 513;
constexpr std::int32_t kLeftUp = 514;
constexpr std::int32_t kLeftDoubleClick = 515;
constexpr std::int32_t kRightDown = 516;
constexpr std::int32_t kRightUp = 517;
constexpr std::int32_t kRightDoubleClick = 518;
constexpr std::int32_t kBalloonHide = 1027;
constexpr std::int32_t kBalloonTimeout = 1028;
constexpr std::int32_t kBalloonUserClick = 1029;

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

}  // namespace

cSysTray::cSysTray(const TrayServices& services, Form& host, std::string name, TrayProperties stored)
    : routing_(services.routing), shell_(services.shell), loop_(services.loop), host_(host),
      name_(std::move(name)), stored_(std::move(stored)), addRetry_(services.timers, [this] { RetryAdd(); }) {}

cSysTray::~cSysTray() {
  if (created_) UserControl_Terminate();
}

void cSysTray::Create() {
  if (created_ || !host_.IsLoaded()) return;
  created_ = true;
  SysTrayModule& module = routing_;
  window_ = shell_.CreateControlWindow(
      host_.View()->Handle(),
      [&module](std::uintptr_t hwnd, std::uint32_t msg, std::uintptr_t wParam,
                std::intptr_t lParam) { return module.TrayWndProc(hwnd, msg, wParam, lParam); });
  UserControl_Initialize();
  UserControl_ReadProperties(stored_);
  UserControl_Resize();
}

void cSysTray::UserControl_Initialize() {
  inTray_ = false;
  iconAdded_ = false;
  iconId_ = 0;
  controlHwnd_ = window_ ? window_->Handle() : 0;
}

void cSysTray::UserControl_InitProperties() {
  SetInTray(false);
  SetTrayTip(std::string(kDefaultTrayTip));
  SetTrayIcon(icon_);
}

void cSysTray::UserControl_ReadProperties(const TrayProperties& bag) {
  SetInTray(bag.InTray.value_or(false));
  SetTrayIcon(bag.TrayIcon ? bag.TrayIcon : icon_);
  SetTrayTip(bag.TrayTip.value_or(std::string(kDefaultTrayTip)));
}

void cSysTray::UserControl_WriteProperties(TrayProperties& bag) const {
  bag.InTray = inTray_;
  bag.TrayIcon = icon_;
  bag.TrayTip = tip_;
}

void cSysTray::UserControl_Resize() {
  height_ = kTrayControlSize;
  width_ = kTrayControlSize;
}

void cSysTray::UserControl_Terminate() {
  if (inTray_) SetInTray(false);
}

void cSysTray::SetInTray(bool Show) {
  Create();
  if (Show == inTray_) return;
  if (Show) {
    if (shell_.UserMode()) {
      routing_.Hook(controlHwnd_, *this);
      AddIcon(controlHwnd_, iconId_, tip_, icon_);
      iconAdded_ = true;
    }
  } else if (iconAdded_) {
    StopAddRetries();
    DeleteIcon(controlHwnd_, iconId_);
    routing_.Unhook(controlHwnd_);
    iconAdded_ = false;
  }
  inTray_ = Show;
}

void cSysTray::SetTrayIcon(std::shared_ptr<Picture> Icon) {
  Create();
  if (!Icon || Icon->Type() != kPictureIcon) return;
  if (iconAdded_) {
    NotifyIconRecord record = NewRecord(controlHwnd_, iconId_);
    record.hIcon = Icon->Handle();
    record.uFlags = kNifIcon;
    Send(kNimModify, record);
  }
  icon_ = std::move(Icon);
}

void cSysTray::SetTrayTip(std::string Tip) {
  Create();
  if (iconAdded_) {
    NotifyIconRecord record = NewRecord(controlHwnd_, iconId_);
    record.szTip = Ansi(Tip, kTipChars);
    record.uFlags = kNifTip;
    Send(kNimModify, record);
  }
  tip_ = std::move(Tip);
}

void cSysTray::ShowBalloon(std::string_view Tip, std::string_view sTitle, std::int32_t ShowTimer,
                           bool ShowOnce) {
  Create();
  if (ShowOnce && showOnceCount_ >= 1) return;
  const std::int64_t timeoutMs = ShowTimer > 0 ? std::int64_t{ShowTimer} * 1000 : 0;
  if (timeoutMs > std::numeric_limits<std::int32_t>::max()) throw Failure(kOverflow);

  NotifyIconRecord record = NewRecord(controlHwnd_, iconId_);
  record.uFlags = kNifInfo;
  record.szInfoTitle = Ansi(sTitle, kInfoTitleChars);
  record.szInfo = Ansi(Tip, kInfoChars);
  record.uTimeout = static_cast<std::uint32_t>(timeoutMs);
  Send(kNimModify, record);

  balloonUp_ = true;
  if (ShowOnce) ++showOnceCount_;
  if (ShowTimer <= 0) return;  // the shell's own time-out applies

  // Sleep until the next event or the deadline; a balloon notification clears balloonUp_.
  EventLoop& loop = loop_;
  const std::int64_t deadline = loop.NowMs() + timeoutMs;
  while (balloonUp_ && loop.NowMs() < deadline) {
    loop.WaitForEvent(deadline);
    loop.DoEvents();
  }
  if (balloonUp_) {
    // Time is up and the balloon is still there: take it down.
    record.szInfoTitle.clear();
    record.szInfo.clear();
    Send(kNimModify, record);
  }
}

void cSysTray::ShellRestarted() {
  if (iconAdded_) AddIcon(controlHwnd_, iconId_, tip_, icon_);
}

void cSysTray::HandleTrayMessage(std::int32_t message, std::int32_t Id) {
  switch (message) {
    case kMouseMove: Raise("MouseMove", MouseMove, Id); break;
    case kLeftDown: Raise("MouseDown", MouseDown, kLeftButton, Id); break;
    case kLeftUp: Raise("MouseUp", MouseUp, kLeftButton, Id); break;
    case kLeftDoubleClick: Raise("MouseDblClick", MouseDblClick, kLeftButton, Id); break;
    case kRightDown: Raise("MouseDown", MouseDown, kRightButton, Id); break;
    case kRightUp: Raise("MouseUp", MouseUp, kRightButton, Id); break;
    case kRightDoubleClick: Raise("MouseDblClick", MouseDblClick, kRightButton, Id); break;
    case kBalloonHide:
    case kBalloonTimeout:
    case kBalloonUserClick: balloonUp_ = false; break;
    default: break;  // middle button, balloon shown, ...
  }
}

void cSysTray::AddIcon(std::uintptr_t hwnd, std::int32_t id, const std::string& tip,
                       const std::shared_ptr<Picture>& icon) {
  NotifyIconRecord record = NewRecord(hwnd, id);
  if (icon) {
    record.hIcon = icon->Handle();
    record.uFlags |= kNifIcon;
    icon_ = icon;
  }
  if (!tip.empty()) {
    record.szTip = Ansi(tip, kTipChars);
    record.uFlags |= kNifTip;
    tip_ = tip;
  }
  record.uCallbackMessage = TRAY_CALLBACK;
  record.uFlags |= kNifMessage;
  if (Send(kNimAdd, record)) {
    StopAddRetries();
  } else if (!addRetry_.Running()) {
    // The shell is not ready (at log-on, or just restarted): without the icon, a window hidden
    // in the tray could not be reached, so the add is tried again for a while.
    addRetriesLeft_ = kAddRetryForMs / kAddRetryMs;
    addRetry_.SetInterval(kAddRetryMs);
  }
}

void cSysTray::RetryAdd() {
  if (!iconAdded_ || addRetriesLeft_-- <= 0) {
    StopAddRetries();
    return;
  }
  AddIcon(controlHwnd_, iconId_, tip_, icon_);
}

void cSysTray::StopAddRetries() { addRetry_.SetInterval(0); }

void cSysTray::DeleteIcon(std::uintptr_t hwnd, std::int32_t id) {
  Send(kNimDelete, NewRecord(hwnd, id));
}

NotifyIconRecord cSysTray::NewRecord(std::uintptr_t hwnd, std::int32_t id) const {
  NotifyIconRecord record;
  record.hWnd = hwnd;
  record.uID = id;
  return record;
}

bool cSysTray::Send(std::uint32_t message, const NotifyIconRecord& record) {
  // A refused call leaves the control as if it succeeded; only a refused add is tried again.
  return shell_.Shell_NotifyIconA(message, record.Pack());
}

std::string cSysTray::Ansi(std::string_view text, std::size_t maxChars) {
  return shell_.ToAnsi(CutToCharacters(text, maxChars));
}

template <class Handler, class... Args>
void cSysTray::Raise(std::string_view event, const Handler& handler, Args... args) {
  if (!handler) return;
  try {
    handler(args...);
  } catch (const std::exception& e) {
    // The host's handler has no guard of its own; the host tells the user.
    host_.ReportUnguardedFailure(name_ + "_" + std::string(event), e.what());
  }
}

}  // namespace rp
