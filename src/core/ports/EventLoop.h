#pragma once
#include <cstdint>

namespace rp {

// The one GUI thread's event loop, as handlers re-enter it.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Process every pending event (messages, due timer ticks), then return.
  virtual void DoEvents() = 0;
  // Sleep until an event is pending or the clock reaches deadlineMs; never spins.
  virtual void WaitForEvent(std::int64_t deadlineMs) = 0;
  // Milliseconds on a monotonic clock that never wraps.
  virtual std::int64_t NowMs() = 0;
  // End the process at once: no further handler runs.
  virtual void EndProgram() = 0;
};

}  // namespace rp
