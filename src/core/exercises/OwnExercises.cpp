#include "exercises/OwnExercises.h"

#include "exercises/BuiltinExercises.h"
#include "exercises/ExerciseFile.h"
#include "runtime/Translation.h"

namespace rp {
namespace {

constexpr char kFileName[] = "exercises.txt";
// A picture is decoded this small to find out whether it can be shown at all.
constexpr int kCheckedSide = 16;

}  // namespace

std::string ExerciseFilePath(Files& files) {
  const std::string folder = files.RoamingAppDataFolder();
  if (folder.empty()) return "";
  return folder + "\\Kelvadore\\Periodic Respite Prompter\\" + kFileName;
}

std::vector<Exercise> ExercisesInUse(std::span<const Exercise> own, bool ownOnly) {
  std::vector<Exercise> exercises;
  if (!ownOnly || own.empty()) exercises.assign(BuiltinExercises().begin(), BuiltinExercises().end());
  exercises.insert(exercises.end(), own.begin(), own.end());
  return exercises;
}

std::string OwnExercises::LeftOutNote() const {
  // TRANSLATORS: in the tray icon's tip, which holds about 127 characters; keep "exercises.txt"
  // as it is, the name of the user's file.
  if (tooLarge_) return Tr("exercises.txt: not read, over 64 KB");
  if (leftOut_.empty()) return "";
  std::string list;
  for (const std::string& name : leftOut_) list += (list.empty() ? "" : ", ") + name;
  // TRANSLATORS: in the tray icon's tip; keep "exercises.txt" as it is. {names} lists the
  // titles of the user's exercises that could not be shown, or "line 12" for one without.
  return Fill(Tr("exercises.txt: left out {names}"), {{"names", list}});
}

bool OwnExercises::Read() {
  const std::string path = ExerciseFilePath(files_);
  std::string contents = path.empty() ? "" : files_.ReadFile(path).value_or("");
  if (contents == contents_) return false;
  contents_ = std::move(contents);
  exercises_.clear();
  ExerciseFileReading reading = ReadExerciseFile(contents_, path.substr(0, path.rfind('\\')));
  tooLarge_ = reading.tooLarge;
  leftOut_ = std::move(reading.leftOut);
  for (Exercise& exercise : reading.exercises) {
    if (!exercise.pictureFile.empty() &&
        files_.ReadPicture(exercise.pictureFile, kCheckedSide).result != PictureRead::Result::Shown)
      leftOut_.push_back(exercise.title);
    else
      exercises_.push_back(std::move(exercise));
  }
  return true;
}

}  // namespace rp
