#include "sim/SimDesktop.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <limits>

#include "runtime/Failure.h"
#include "runtime/Layout.h"
#include "runtime/Timer.h"
#include "sim/SimPicture.h"

namespace rp::sim {
namespace {

constexpr std::int64_t kForever = std::numeric_limits<std::int64_t>::max();

}  // namespace

SimDesktop::SimDesktop()
    : platform{settings, files, dialogs, player, *this, *this, registry, shell, numbers, presence, clock, monitors, hotkeys, fetcher, zones} {}

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
  presence.sessionLocked = locked;
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
std::unique_ptr<Picture> SimDesktop::PeriodIcon(const PeriodPicture& picture) {
  periodIcons.push_back(picture);
  return std::make_unique<SimPicture>(kFirstPeriodIcon + periodIcons.size() - 1);
}

std::string SimDesktop::TranslationCatalog(std::string_view tag) {
  std::ifstream file(std::string(RP_CATALOG_DIR) + "/" + std::string(tag) + ".mo", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

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
