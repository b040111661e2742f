#pragma once
#include <functional>
#include <string>
#include <vector>

#include "runtime/Timer.h"
#include "sim/SimDesktop.h"

namespace rp::test {

// Something the user does once, the given time from now, whatever the program is busy with
// then: it also happens inside a handler that waits in the event loop.
class Later {
 public:
  Later(sim::SimDesktop& desktop, int ms, std::function<void()> action)
      : action_(std::move(action)), timer_(desktop, [this] {
          timer_.SetEnabled(false);
          action_();
        }) {
    timer_.SetInterval(ms);
  }

 private:
  std::function<void()> action_;
  Timer timer_;
};

// How many of the player's calls start with the given word ("url", "close", "loop").
inline int CountCalls(const std::vector<std::string>& calls, const std::string& word) {
  int n = 0;
  for (const auto& call : calls) n += call.rfind(word, 0) == 0;
  return n;
}

}  // namespace rp::test
