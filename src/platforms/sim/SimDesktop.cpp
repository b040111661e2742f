#include "sim/SimDesktop.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "runtime/Failure.h"
#include "runtime/Layout.h"
#include "runtime/Timer.h"

namespace rp::sim {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Wildcard match with * and ?, as the system matches file names (case-insensitive).
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (std::size_t i = 0; i <= name.size(); ++i)
      if (Matches(pattern.substr(1), name.substr(i))) return true;
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' && pattern[0] != name[0]) return false;
  return Matches(pattern.substr(1), name.substr(1));
}

bool Malformed(std::string_view path) {
  return path.find_first_of("<>|\"") != std::string_view::npos;
}

constexpr std::int64_t kForever = std::numeric_limits<std::int64_t>::max();

}  // namespace

std::optional<std::string> SimSettings::Read(std::string_view name) {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

void SimSettings::Write(std::string_view name, std::string_view value) {
  values[std::string(name)] = std::string(value);
  writes.emplace_back(std::string(name), std::string(value));
}

std::string SimFiles::ProgramPath() {
  return programFolder + (programFolder.ends_with('\\') ? "" : "\\") + programName;
}

void SimFiles::Add(const std::string& path, SimFile file) { files[Lower(path)] = std::move(file); }

bool SimFiles::CanReadModificationTime(std::string_view path) {
  if (path.empty() || Malformed(path)) return false;
  return files.count(Lower(path)) != 0;
}

std::optional<std::string> SimFiles::FindOrdinaryFile(std::string_view pattern) {
  if (Malformed(pattern)) throw Failure("Bad file name or number");
  const std::string lower = Lower(pattern);
  const auto slash = lower.rfind('\\');
  const std::string folder = slash == std::string::npos ? "" : lower.substr(0, slash + 1);
  const std::string namePattern = slash == std::string::npos ? lower : lower.substr(slash + 1);
  for (const auto& [path, file] : files) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) continue;
    const std::string name = path.substr(folder.size());
    if (name.find('\\') != std::string::npos) continue;
    if (file.directory || file.hidden || file.system) continue;
    if (Matches(namePattern, name)) return name;
  }
  return std::nullopt;
}

std::optional<std::string> SimFiles::ReadFile(std::string_view path) {
  auto it = files.find(Lower(path));
  if (it == files.end() || it->second.directory || it->second.unreadable) return std::nullopt;
  return it->second.content;
}

int SimDialogs::MessageBox(std::string_view text, std::string_view title, int style) {
  boxes.push_back({std::string(text), std::string(title), style});
  if (whileBoxIsUp) whileBoxIsUp(boxes.back());
  if (boxAnswers.empty()) return 1;  // OK
  const int answer = boxAnswers.front();
  boxAnswers.pop_front();
  return answer;
}

std::string SimDialogs::OpenFile(std::string_view title, std::string_view filter) {
  openRequests.push_back({std::string(title), std::string(filter)});
  if (openFails) throw Failure("The file dialog could not be opened");
  if (openAnswers.empty()) return "";
  std::string answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

void SimPlayer::SetLoop(bool loop) {
  looping = loop;
  calls.push_back(loop ? "loop on" : "loop off");
}

void SimPlayer::Close() {
  playing.clear();
  calls.push_back("close");
}

void SimPlayer::SetUrl(std::string_view path) {
  playing = path;
  calls.push_back("url " + std::string(path));
}

std::int64_t SimPresence::IdleMs() {
  ++idleQueries;
  return clock_.NowMs() - lastInputMs;
}

bool SimPresence::DisplayRequired() {
  ++idleQueries;
  return displayRequired;
}

NotificationState SimPresence::UserNotificationState() {
  ++holdQueries;
  return notificationState;
}

bool SimPresence::CameraOrMicrophoneInUse() {
  ++holdQueries;
  return cameraOrMicrophoneInUse;
}

SimFormView::SimFormView(SimDesktop& desktop, Form& form)
    : form(form),
      handle(desktop.nextHandle_ += 0x10),
      dpi(desktop.monitorDpi ? desktop.monitorDpi : desktop.dpi),
      desktop_(desktop) {
  desktop_.views_.push_back(this);
}

SimFormView::~SimFormView() { std::erase(desktop_.views_, this); }

void SimFormView::Refresh() {
  shown = form.Visible();
  if (form.Placed() && (positions.empty() || positions.back() != std::pair{form.Left(), form.Top()}))
    positions.emplace_back(form.Left(), form.Top());
}

void SimFormView::SetFocus() { ++focusCount; }

// A fixed window has a 3-pixel border and a 23-pixel caption; a tool window a 17-pixel caption.
int SimFormView::OuterWidth() { return form.ClientWidth() + PixelsToTwips(6, dpi); }

int SimFormView::OuterHeight() {
  const int caption = form.Style() == FormStyle::FixedToolWindow ? 17 : 23;
  return form.ClientHeight() + PixelsToTwips(6 + caption, dpi);
}

// The desktop's screen (through Screen(), where a test makes it fail), measured at this window's
// dots per inch.
ScreenMetrics SimFormView::Screen() {
  const ScreenMetrics system = desktop_.Screen();
  const auto measured = [&](int twips) { return PixelsToTwips(TwipsToPixels(twips, system.dpi), dpi); };
  return {measured(system.widthTwips), measured(system.heightTwips), dpi};
}

SimDesktop::SimDesktop() : platform{settings, files, dialogs, player, *this, *this, registry, shell, numbers, presence, clock} {}

SimDesktop::~SimDesktop() = default;

std::int64_t SimDesktop::NextDue() const {
  std::int64_t next = kForever;
  for (const auto& [timer, scheduled] : timers_) next = std::min(next, scheduled.due);
  return next;
}

bool SimDesktop::FireDue() {
  Timer* due = nullptr;
  std::int64_t earliest = kForever;
  for (auto& [timer, scheduled] : timers_) {
    if (scheduled.due <= now_ && scheduled.due < earliest) {
      earliest = scheduled.due;
      due = timer;
    }
  }
  if (!due) return false;
  // A late timer fires once and then keeps its period from now, as a window timer does.
  auto& scheduled = timers_.at(due);
  scheduled.due = now_ + scheduled.interval;
  due->Tick();
  return true;
}

void SimDesktop::DoEvents() {
  if (ended_) return;
  ++doEventsCount;
  for (std::size_t n = posted_.size(); n > 0 && RunNextPosted(); --n) {
  }
  // Each timer that is due fires once per round.
  std::vector<Timer*> due;
  for (auto& [timer, scheduled] : timers_)
    if (scheduled.due <= now_) due.push_back(timer);
  for (Timer* timer : due) {
    auto it = timers_.find(timer);
    if (it == timers_.end() || it->second.due > now_) continue;
    it->second.due = now_ + it->second.interval;
    timer->Tick();
  }
}

void SimDesktop::WaitForEvent(std::int64_t deadlineMs) {
  ++waitCount;
  if (ended_ || !posted_.empty()) return;
  const std::int64_t target = std::min(NextDue(), deadlineMs);
  if (target == kForever) throw Stuck{};
  now_ = std::max(now_, target);
}

void SimDesktop::EndProgram() {
  ended_ = true;
  throw ProgramEnded{};
}

void SimDesktop::Post(std::function<void()> event) { posted_.push_back(std::move(event)); }

bool SimDesktop::RunNextPosted() {
  if (posted_.empty()) return false;
  auto event = std::move(posted_.front());
  posted_.pop_front();
  event();
  return true;
}

void SimDesktop::Run(const std::function<void()>& action) {
  if (ended_) return;
  try {
    action();
    while (!ended_ && RunNextPosted()) {
    }
  } catch (const ProgramEnded&) {
  }
}

void SimDesktop::Lock(bool locked) {
  Run([&] {
    if (presence.listener) presence.listener->SessionLocked(locked);
  });
}

void SimDesktop::SleepFor(std::int64_t ms) {
  Run([&] {
    if (presence.listener) presence.listener->MachineAsleep(true);
  });
  now_ += ms;
  Run([&] {
    if (presence.listener) presence.listener->MachineAsleep(false);
  });
}

void SimDesktop::RunFor(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  Run([&] {
    for (;;) {
      while (!ended_ && RunNextPosted()) {
      }
      const std::int64_t next = NextDue();
      if (ended_ || next > end) break;
      now_ = std::max(now_, next);
      FireDue();
    }
  });
  now_ = std::max(now_, end);
}

std::unique_ptr<FormView> SimDesktop::CreateView(Form& form) {
  if (refusedWindows.count(form.Name())) throw Failure("Can't create window");
  return std::make_unique<SimFormView>(*this, form);
}

ScreenMetrics SimDesktop::Screen() {
  return {PixelsToTwips(screenWidthPixels, dpi), PixelsToTwips(screenHeightPixels, dpi), dpi};
}

std::unique_ptr<Picture> SimDesktop::LoadPicture(std::string_view path) {
  auto content = files.ReadFile(path);
  if (!content) throw Failure("File not found");
  // An icon or cursor file starts with a reserved 0 and the type 1 or 2.
  if (content->size() < 4 || content->compare(0, 2, std::string("\0\0", 2)) != 0 ||
      ((*content)[2] != 1 && (*content)[2] != 2))
    throw Failure("Invalid picture");
  return std::make_unique<SimPicture>(nextHandle_ += 0x10);
}

std::unique_ptr<Picture> SimDesktop::ApplicationIcon() { return std::make_unique<SimPicture>(0x101); }
std::unique_ptr<Picture> SimDesktop::TrayIconPicture() { return std::make_unique<SimPicture>(0x102); }

void SimDesktop::Update(Timer& timer) {
  if (timer.Running())
    timers_[&timer] = {now_ + timer.Interval(), timer.Interval()};
  else
    timers_.erase(&timer);
}

void SimDesktop::Forget(Timer& timer) { timers_.erase(&timer); }

SimFormView* SimDesktop::ViewOf(const Form& form) const {
  for (SimFormView* view : views_)
    if (&view->form == &form) return view;
  return nullptr;
}

}  // namespace rp::sim
