#include "exercises/ExerciseSequence.h"

#include <algorithm>
#include <numeric>

namespace rp {

ExerciseSequence::ExerciseSequence(std::vector<Exercise> exercises) : exercises_(std::move(exercises)) {}

std::size_t ExerciseSequence::Next() {
  if (at_ == round_.size()) {
    const std::size_t last = round_.empty() ? exercises_.size() : round_.back();
    round_.resize(exercises_.size());
    std::iota(round_.begin(), round_.end(), std::size_t{0});
    std::shuffle(round_.begin(), round_.end(), picks_);
    // A new round never starts with the exercise the last one ended with.
    if (round_.size() > 1 && round_.front() == last) std::swap(round_[0], round_[1]);
    at_ = 0;
  }
  return round_[at_++];
}

std::vector<ExerciseSlot> ExerciseSequence::Fill(int seconds) {
  std::vector<ExerciseSlot> slots;
  if (exercises_.empty()) return slots;
  for (int start = 0; start < seconds;) {
    const int left = seconds - start;
    if (left < kShortestSlotSeconds && !slots.empty()) {
      slots.back().seconds += left;
      break;
    }
    const std::size_t next = Next();
    const int length = std::min(std::max(exercises_[next].seconds, 1), left);
    slots.push_back({next, start, length});
    start += length;
  }
  return slots;
}

const Exercise* ExerciseSequence::NextEye() {
  for (std::size_t tried = 0; tried < exercises_.size(); ++tried) {
    const Exercise& exercise = exercises_[eyeAt_++ % exercises_.size()];
    if (exercise.kind == ExerciseKind::Eyes) return &exercise;
  }
  return nullptr;
}

const ExerciseSlot* SlotAt(std::span<const ExerciseSlot> slots, int elapsedSeconds) {
  if (slots.empty()) return nullptr;
  for (const ExerciseSlot& slot : slots)
    if (elapsedSeconds < slot.startSecond + slot.seconds) return &slot;
  return &slots.back();
}

}  // namespace rp
