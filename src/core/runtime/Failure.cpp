#include "runtime/Failure.h"

#include <optional>

namespace rp {
namespace {

std::string Filled(std::string_view pattern, std::string_view name, std::string_view value,
                   std::optional<std::string_view> problem) {
  if (!problem) return Fill(pattern, {{name, value}});
  return Fill(pattern, {{name, value}, {"problem", *problem}});
}

}  // namespace

Failure::Failure(const char* pattern, std::string_view name, std::string_view value)
    : std::runtime_error(Filled(pattern, name, value, std::nullopt)), pattern_(pattern), name_(name), value_(value) {}

Failure::Failure(const char* pattern, std::string_view name, std::string_view value, const Failure& cause)
    : std::runtime_error(Filled(pattern, name, value, cause.what())),
      pattern_(pattern), name_(name), value_(value), cause_(std::make_shared<const Failure>(cause)) {}

std::string Failure::Shown() const {
  if (!pattern_) return Tr(what());
  if (!cause_) return Filled(Tr(pattern_), name_, value_, std::nullopt);
  return Filled(Tr(pattern_), name_, value_, cause_->Shown());
}

std::string ShownDescription(const std::exception& e) {
  const auto* failure = dynamic_cast<const Failure*>(&e);
  return failure ? failure->Shown() : Tr(e.what());
}

}  // namespace rp
