#pragma once
#include <cstddef>
#include <random>
#include <span>
#include <vector>

#include "exercises/Exercise.h"

namespace rp {

// One exercise's part of a break: which one, from which second of the break, for how long.
struct ExerciseSlot {
  std::size_t exercise = 0;  // in the sequence's exercises
  int startSecond = 0;
  int seconds = 0;
  bool operator==(const ExerciseSlot&) const = default;
};

// The order the exercises come in: every one once a round, each round shuffled from a fixed
// seed so that the same start gives the same breaks (and the same pictures), and the next
// break going on where the last one stopped.
class ExerciseSequence {
 public:
  // A slot shorter than this is no exercise: its time goes to the one before.
  static constexpr int kShortestSlotSeconds = 10;

  explicit ExerciseSequence(std::vector<Exercise> exercises = {});
  const std::vector<Exercise>& Exercises() const { return exercises_; }

  // The exercises of a break of `seconds`, one after another until its time is used; the last
  // one is cut short to fit.
  std::vector<ExerciseSlot> Fill(int seconds);
  // The eye break's exercise: the eye exercises in turn; nothing when there is none.
  const Exercise* NextEye();

 private:
  std::size_t Next();

  std::vector<Exercise> exercises_;
  std::vector<std::size_t> round_;
  std::size_t at_ = 0;
  std::size_t eyeAt_ = 0;
  std::minstd_rand picks_;
};

// The slot under way `elapsedSeconds` into the break: the last one once they are all over.
const ExerciseSlot* SlotAt(std::span<const ExerciseSlot> slots, int elapsedSeconds);

}  // namespace rp
