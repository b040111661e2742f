#include "exercises/BreathPacer.h"

#include <cmath>

namespace rp {

BreathPhase BreathPacer::At(std::int64_t msIntoExercise) {
  constexpr double kPi = 3.14159265358979323846;
  const std::int64_t cycle = kInMs + kOutMs;
  const std::int64_t at = ((msIntoExercise % cycle) + cycle) % cycle;
  const auto eased = [&](double t) { return std::round((1 - std::cos(kPi * t)) / 2 * kSizeSteps) / kSizeSteps; };
  if (at < kInMs) return {true, eased(static_cast<double>(at) / kInMs)};
  return {false, 1 - eased(static_cast<double>(at - kInMs) / kOutMs)};
}

}  // namespace rp
