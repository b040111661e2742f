#include <gtest/gtest.h>

#include "exercises/BuiltinExercises.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseSequence.h"
#include "exercises/OwnExercises.h"
#include "sim/SimFiles.h"

namespace rp::test {
namespace {

const std::string kFolder = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvadore\\Periodic Respite Prompter\\";

std::string Block(const std::string& title, const std::string& kind, const std::string& picture = "") {
  return "Title: " + title + "\nStep: Slowly.\nSeconds: 30\nKind: " + kind + "\n" +
         (picture.empty() ? "" : "Picture: " + picture + "\n") + "\n";
}

// A picture that is missing, damaged, over 8 MB or over 4096 pixels a side leaves its exercise
// out, named by its title in the tip's note; the others are kept, a picture named alone found
// beside the file.
TEST(OwnExercisesTest, PicturesThatCannotBeShownLeaveTheirExerciseOut) {
  const struct {
    const char* name;
    std::optional<std::string> content;  // none: no such file
    bool shown;
  } cases[] = {
      {"good", "picture 640x480", true},
      {"largest", "picture 4096x4096", true},
      {"missing", std::nullopt, false},
      {"damaged", "\x89PNG\r\n", false},
      {"empty", "", false},
      {"too wide", "picture 4097x10", false},
      {"too tall", "picture 10x4097", false},
      {"over 8 MB", "picture 10x10" + std::string(kMaxPictureBytes, ' '), false},
      {"8 MB", "picture 10x10" + std::string(kMaxPictureBytes - 13, ' '), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimFiles files;
    if (c.content) files.Add(kFolder + "p.png", {*c.content});
    files.Add(kFolder + "exercises.txt", {Block("Kept", "neck") + Block("Pictured", "back", "p.png")});
    OwnExercises own(files);
    ASSERT_TRUE(own.Read());
    ASSERT_EQ(own.Exercises().size(), c.shown ? 2u : 1u);
    EXPECT_EQ(own.Exercises().front().title, "Kept");
    if (c.shown) EXPECT_EQ(own.Exercises().back().pictureFile, kFolder + "p.png");
    EXPECT_EQ(own.LeftOutNote(), c.shown ? "" : "exercises.txt: left out Pictured");
  }
}

// Mixed (the default) puts the user's after the built-in ones; "Only" takes the user's alone,
// and the built-in ones when there is none to show. A user's eye exercise joins the eye ones.
TEST(OwnExercisesTest, OwnAloneMixedOrTheBuiltInOnes) {
  const std::size_t builtIn = BuiltinExercises().size();
  const struct {
    const char* name;
    std::optional<std::string> file;
    bool ownOnly;
    std::size_t count;
    std::string note;
  } cases[] = {
      {"no file, mixed", std::nullopt, false, builtIn, ""},
      {"no file, only", std::nullopt, true, builtIn, ""},
      {"mixed", Block("Far window", "eyes") + Block("Ankles", "back"), false, builtIn + 2, ""},
      {"only", Block("Far window", "eyes") + Block("Ankles", "back"), true, 2, ""},
      {"only, none readable", "Title: Broken\nSeconds: 3\n", true, builtIn, "exercises.txt: left out Broken"},
      {"a bad block among good", "Seconds: 30\n\n" + Block("Far window", "eyes"), true, 1,
       "exercises.txt: left out line 1"},
      {"over 64 KB", std::string(kMaxExerciseFileBytes + 1, '#'), true, builtIn, "exercises.txt: not read, over 64 KB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimFiles files;
    if (c.file) files.Add(kFolder + "exercises.txt", {*c.file});
    OwnExercises own(files);
    EXPECT_EQ(own.Read(), c.file.has_value());
    const std::vector<Exercise> used = ExercisesInUse(own.Exercises(), c.ownOnly);
    EXPECT_EQ(used.size(), c.count);
    EXPECT_EQ(own.LeftOutNote(), c.note);
    if (!own.Exercises().empty() && own.Exercises().front().title == "Far window") {
      // Every eye exercise comes in turn in the eye breaks, the user's among them.
      ExerciseSequence sequence(used);
      bool seen = false;
      for (std::size_t i = 0; i < used.size(); ++i) {
        const Exercise* eye = sequence.NextEye();
        ASSERT_NE(eye, nullptr);
        EXPECT_EQ(eye->kind, ExerciseKind::Eyes);
        seen = seen || eye->title == "Far window";
      }
      EXPECT_TRUE(seen);
    }
  }
}

// The file is read again each time, taken afresh only when its contents changed.
TEST(OwnExercisesTest, AChangedFileIsTakenAfreshAnUnchangedOneIsNot) {
  sim::SimFiles files;
  OwnExercises own(files);
  EXPECT_FALSE(own.Read());
  files.Add(kFolder + "exercises.txt", {Block("Ankles", "back", "missing.png")});
  EXPECT_TRUE(own.Read());
  EXPECT_EQ(own.LeftOutNote(), "exercises.txt: left out Ankles");
  EXPECT_FALSE(own.Read());
  files.Add(kFolder + "exercises.txt", {Block("Ankles", "back")});
  EXPECT_TRUE(own.Read());
  EXPECT_EQ(own.Exercises().size(), 1u);
  EXPECT_EQ(own.LeftOutNote(), "");
  files.files.clear();
  EXPECT_TRUE(own.Read());
  EXPECT_TRUE(own.Exercises().empty());
}

}  // namespace
}  // namespace rp::test
