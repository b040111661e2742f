#pragma once
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "ports/Fetcher.h"
#include "sim/SimFiles.h"

namespace rp::sim {

// Files and addresses on the simulated desktop: a file path reads the simulated disk, an address
// answers what a test has served at it (unreachable when nothing is). %USERNAME% is `userName`.
class SimFetcher : public Fetcher {
 public:
  // `post` queues an event for the desktop's loop: a reading in the background is over at once
  // and told as the next event.
  SimFetcher(SimFiles& files, std::function<void(std::function<void()>)> post)
      : files_(files), post_(std::move(post)) {}
  Fetched Fetch(std::string_view location, std::size_t maxBytes) override;
  void FetchLater(std::string location, std::size_t maxBytes, std::function<void(Fetched)> done) override;

  // What an address answers: a body with status 200, another status, or a failure.
  void Serve(const std::string& address, std::string body, int status = 200);
  void Fail(const std::string& address, FetchOutcome outcome);

  std::string userName = "Ann";
  int fetches = 0;
  std::string lastLocation;  // as fetched, variables expanded

 private:
  SimFiles& files_;
  std::function<void(std::function<void()>)> post_;
  std::map<std::string, Fetched> served_;
};

}  // namespace rp::sim
