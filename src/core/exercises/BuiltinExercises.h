#pragma once
#include <span>

#include "exercises/Exercise.h"

namespace rp {

// The exercises that come with the program: four of each kind and the breathing pacer, each
// with its own line drawing.
std::span<const Exercise> BuiltinExercises();

}  // namespace rp
