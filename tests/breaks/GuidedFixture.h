#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "breaks/BreakWindows.h"
#include "breaks/FormEyeBreak.h"
#include "countdown/BreakObserver.h"

namespace rp::test {

constexpr std::int64_t kSecond = 1000, kMinute = 60 * kSecond;

// Hears the breaks as a statistics keeper would, with the virtual time of each.
struct BreakLog : BreakObserver {
  explicit BreakLog(sim::SimDesktop& desktop) : desktop(desktop) {}
  void Taken() override { Add("taken"); }
  void Postponed() override { Add("postponed"); }
  void Skipped() override { Add("skipped"); }
  void EyeBreak() override { Add("eye"); }
  void Add(const char* event) {
    events.push_back(event);
    times.push_back(desktop.NowMs());
  }
  sim::SimDesktop& desktop;
  std::vector<std::string> events;
  std::vector<std::int64_t> times;
};

// Reminding on with the audio reminder only and the given options as the Options window stores
// them; a user who does one thing a second into each guided break, in turn.
class GuidedTest : public SimTest {
 protected:
  void StartReminding(const std::string& minutes, const std::map<std::string, std::string>& options) {
    desktop.files.Add(DefaultSound());
    desktop.settings.values = {{"Text1", minutes}, {"Check1", "1"}, {"Check2", "0"}, {"Check3", "0"}};
    for (const auto& [name, value] : options) desktop.settings.values[name] = value;
    Start();
    form().breaks.SetObserver(&log);
    desktop.Click(form().PushButton3);
  }
  // A new run of the program on the same desktop, with an empty log.
  void Restart() {
    program.reset();
    log.events.clear();
    log.times.clear();
  }
  // The windows of the running break, in the order they opened.
  std::vector<FormBreak*> Windows() {
    std::vector<FormBreak*> open;
    if (const BreakWindows* windows = form().breaks.Windows())
      for (const auto& window : windows->Windows()) open.push_back(window.get());
    return open;
  }
  std::string Frame1() { return form().Frame1.Text(); }
  // Each break, once it has run a second, gets the next of these (on its last window); the
  // user looks once a second.
  void AtEachBreak(std::vector<std::function<void(FormBreak&)>> actions) {
    actions_ = std::move(actions);
    next_ = 0;
    watch_ = std::make_unique<Timer>(desktop, [this] {
      const GuidedBreak& guided = form().breaks.guided;
      const auto open = Windows();
      if (open.empty()) {
        acted_ = false;
      } else if (!acted_ && next_ < actions_.size() &&
                 guided.SecondsLeft(desktop.NowMs()) < guided.LengthSeconds()) {
        acted_ = true;
        actions_[next_++](*open.back());
      }
    });
    watch_->SetInterval(1000);
  }

  void Postpone(FormBreak& w) { desktop.Click(w.PushButton1); }
  void Skip(FormBreak& w) { desktop.Click(w.PushButton2); }

  BreakLog log{desktop};
  std::vector<std::function<void(FormBreak&)>> actions_;
  std::size_t next_ = 0;
  bool acted_ = false;
  std::unique_ptr<Timer> watch_;
};

}  // namespace rp::test
