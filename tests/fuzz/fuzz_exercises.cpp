// Fuzzes the reader of the user's exercises file with any bytes: it never crashes, hangs or
// grows without bound, and what it keeps is sound: within the bounds, a title and one to three
// steps, seconds in range, and every block either kept or named as left out.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "exercises/ExerciseFile.h"

namespace {

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "fuzz_exercises: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const rp::ExerciseFileReading reading = rp::ReadExerciseFile(text, "C:\\Users\\Ann");
  if (reading.exercises.size() > rp::kMaxOwnExercises) Broken("more exercises than are kept");
  if (reading.tooLarge && (size <= rp::kMaxExerciseFileBytes || !reading.exercises.empty()))
    Broken("a file in bounds called too large, or one too large read");
  for (const rp::Exercise& e : reading.exercises) {
    if (e.title.empty() || e.title.size() > rp::kMaxTitleBytes) Broken("a title out of bounds");
    if (e.steps.empty() || e.steps.size() > static_cast<std::size_t>(rp::kMaxSteps)) Broken("steps out of bounds");
    for (const std::string& step : e.steps)
      if (step.empty() || step.size() > rp::kMaxStepBytes) Broken("a step out of bounds");
    if (e.seconds < rp::kMinExerciseSeconds || e.seconds > rp::kMaxExerciseSeconds) Broken("seconds out of range");
    if (e.kind == rp::ExerciseKind::Breathing || e.builtIn || e.pacer) Broken("a user's exercise taken for a built-in one");
  }
  // Read again, the same file gives the same.
  const rp::ExerciseFileReading again = rp::ReadExerciseFile(text, "C:\\Users\\Ann");
  if (again.exercises.size() != reading.exercises.size() || again.leftOut != reading.leftOut)
    Broken("the same file read twice gives different exercises");
  return 0;
}
