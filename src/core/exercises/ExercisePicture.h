#pragma once
#include <string>
#include <vector>

#include "exercises/Exercise.h"
#include "runtime/Controls.h"

namespace rp {

// The exercise's picture as the shapes of a picture control `side` twips square: its drawing
// scaled to the square, the pacer's circle at the breath's size (0 to 1), or the user's own
// picture file. The strokes take the control's own colour, so that high contrast reaches them.
std::vector<DrawnShape> ExercisePicture(const Exercise& exercise, int side, double breath = 1);

// Its steps a line each, the built-in ones in the user's language.
std::string ExerciseStepsText(const Exercise& exercise);

}  // namespace rp
