#pragma once
#include <span>
#include <string>
#include <vector>

#include "exercises/Exercise.h"
#include "ports/Files.h"

namespace rp {

// %APPDATA%\Kelvadore\Periodic Respite Prompter\exercises.txt; "" when the system names no
// such folder.
std::string ExerciseFilePath(Files& files);

// The exercises a guided break draws from: the built-in ones and the user's own after them, or
// the user's own alone when `ownOnly` and there is one to show.
std::vector<Exercise> ExercisesInUse(std::span<const Exercise> own, bool ownOnly);

// The user's exercises file as last read. It is read again before each guided break with
// exercises, 64 KB at most, so that an edited file needs no restart; its pictures are checked
// only when its contents changed.
class OwnExercises {
 public:
  explicit OwnExercises(Files& files) : files_(files) {}

  // Reads the file; true when its contents differ from the last time's (none counts as empty).
  bool Read();
  const std::vector<Exercise>& Exercises() const { return exercises_; }
  // The blocks and the exercises whose picture cannot be shown, by name.
  const std::vector<std::string>& LeftOut() const { return leftOut_; }
  // What the tray tip tells of them: "exercises.txt: left out Ankle circles, line 12"; "" when
  // nothing was left out.
  std::string LeftOutNote() const;

 private:
  Files& files_;
  std::string contents_;
  std::vector<Exercise> exercises_;
  std::vector<std::string> leftOut_;
  bool tooLarge_ = false;
};

}  // namespace rp
