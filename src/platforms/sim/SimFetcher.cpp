#include "sim/SimFetcher.h"

namespace rp::sim {

void SimFetcher::Serve(const std::string& address, std::string body, int status) {
  Fetched answer;
  answer.outcome = status == 200 ? FetchOutcome::Read : FetchOutcome::Status;
  answer.status = status;
  if (status == 200) answer.body = std::move(body);
  served_[address] = std::move(answer);
}

void SimFetcher::Fail(const std::string& address, FetchOutcome outcome) { served_[address] = Fetched{outcome, 0, {}}; }

Fetched SimFetcher::Fetch(std::string_view location, std::size_t maxBytes) {
  ++fetches;
  std::string expanded(location);
  for (std::size_t at; (at = expanded.find("%USERNAME%")) != std::string::npos;)
    expanded.replace(at, 10, userName);
  lastLocation = expanded;
  Fetched fetched;
  if (IsWebAddress(expanded)) {
    const auto found = served_.find(expanded);
    if (found == served_.end()) return Fetched{FetchOutcome::Unreachable, 0, {}};
    fetched = found->second;
  } else if (std::optional<std::string> content = files_.ReadFile(expanded)) {
    fetched.outcome = FetchOutcome::Read;
    fetched.body = std::move(*content);
  }
  if (fetched.outcome == FetchOutcome::Read && fetched.body.size() > maxBytes) return Fetched{FetchOutcome::TooLarge, 0, {}};
  return fetched;
}

void SimFetcher::FetchLater(std::string location, std::size_t maxBytes, std::function<void(Fetched)> done) {
  post_([fetched = Fetch(location, maxBytes), done = std::move(done)]() mutable { done(std::move(fetched)); });
}

}  // namespace rp::sim
