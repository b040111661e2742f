#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace rp {

// What reading a file or an address came to.
enum class FetchOutcome {
  Read,         // `body` holds it all
  Unreadable,   // a file that is not there or cannot be read
  Status,       // the address answered with an HTTP status other than 200 (`status`)
  Unreachable,  // no answer: no such host, no connection, a refused or broken one
  TimedOut,     // no whole answer within the time allowed
  TooLarge,     // more than the bytes allowed
};

struct Fetched {
  FetchOutcome outcome = FetchOutcome::Unreadable;
  int status = 0;
  std::string body;
};

// Reads a calendar where the user keeps it: a file path, read where it is (a synced folder
// works), or an http:// or https:// address, fetched through the system's proxy within 15
// seconds. Environment variables in it (%USERNAME%) are expanded first. At most `maxBytes` are
// taken: anything longer is TooLarge. It blocks until done: call it away from the window's thread.
class Fetcher {
 public:
  virtual ~Fetcher() = default;
  virtual Fetched Fetch(std::string_view location, std::size_t maxBytes) = 0;
  // The same on a thread of its own: `done` is told on the window's thread, from its event loop,
  // when the reading is over (never when the program ends first). The window never waits.
  virtual void FetchLater(std::string location, std::size_t maxBytes, std::function<void(Fetched)> done) = 0;
};

// True for a location that is an http:// or https:// address (in any case), not a file path.
inline bool IsWebAddress(std::string_view location) {
  const auto starts = [&](std::string_view scheme) {
    if (location.size() < scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
      char c = location[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != scheme[i]) return false;
    }
    return true;
  };
  return starts("http://") || starts("https://");
}

}  // namespace rp
