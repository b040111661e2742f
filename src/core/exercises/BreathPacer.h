#pragma once
#include <cstdint>

#include "runtime/Translation.h"

namespace rp {

// TRANSLATORS: the breathing pacer's word while its circle grows
inline constexpr const char* kBreatheIn = TrNoop("Breathe in");
// TRANSLATORS: the breathing pacer's word while its circle shrinks
inline constexpr const char* kBreatheOut = TrNoop("Breathe out");

// The breathing pacer: a shape that grows for 4 seconds while the user breathes in and shrinks
// for 6 while they breathe out, over and over.
struct BreathPhase {
  bool in = true;
  double size = 0;  // 0 smallest, 1 largest; eased, so that the turns are gentle
  bool operator==(const BreathPhase&) const = default;
};

class BreathPacer {
 public:
  static constexpr std::int64_t kInMs = 4000, kOutMs = 6000;
  // At most 30 frames a second.
  static constexpr std::int64_t kFrameMs = 34;
  // The size goes in this many steps from smallest to largest: a step moves the circle's edge
  // about a pixel at 96 to 144 dpi, and a frame that would draw the same circle draws nothing.
  static constexpr int kSizeSteps = 64;

  // Where the breath is `msIntoExercise` after the pacer began.
  static BreathPhase At(std::int64_t msIntoExercise);
  // The time to the next frame; 0, none at all, while the window cannot be seen.
  static int FrameIntervalMs(bool visible) { return visible ? static_cast<int>(kFrameMs) : 0; }
};

}  // namespace rp
