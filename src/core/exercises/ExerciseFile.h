#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/Exercise.h"

namespace rp {

// The user's own exercises, `exercises.txt` beside the settings: one exercise a block of
// "Name: value" lines, blocks apart by a blank line, "#" starting a comment line:
//
//   Title: Ankle circles
//   Step: Lift one foot off the floor.
//   Step: Circle the ankle slowly, then change feet.
//   Seconds: 30
//   Kind: back                      (eyes, neck, hands or back)
//   Picture: ankles.png             (optional; beside the file, or a full path)
//
// The program only reads it. A block it cannot read is left out and named, so that the user
// hears of it once; the rest are used.
inline constexpr std::size_t kMaxExerciseFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxOwnExercises = 100;
inline constexpr std::size_t kMaxTitleBytes = 100;
inline constexpr std::size_t kMaxStepBytes = 200;
inline constexpr std::size_t kMaxPicturePathBytes = 260;
inline constexpr int kMinExerciseSeconds = 5, kMaxExerciseSeconds = 600;
// A picture larger than these is left out: read whole, it would take too much memory.
inline constexpr std::uint64_t kMaxPictureBytes = 8 * 1024 * 1024;
inline constexpr int kMaxPictureSide = 4096;

struct ExerciseFileReading {
  std::vector<Exercise> exercises;
  // Each block left out, by its title, or "line N" where it has none to go by.
  std::vector<std::string> leftOut;
  bool tooLarge = false;  // the file is over kMaxExerciseFileBytes: none of it is read
};

// Reads the file's text; `folder` is the file's own, where a picture named alone is looked for.
ExerciseFileReading ReadExerciseFile(std::string_view text, std::string_view folder);

// Whether a picture of this size in bytes and pixels may be shown.
inline bool PictureFits(std::uint64_t bytes, int width, int height) {
  return bytes <= kMaxPictureBytes && width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

}  // namespace rp
