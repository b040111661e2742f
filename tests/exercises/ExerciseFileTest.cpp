#include <gtest/gtest.h>

#include "exercises/ExerciseFile.h"

namespace rp::test {
namespace {

constexpr std::string_view kFolder = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvadore\\Periodic Respite Prompter";
const std::string kGood = "Title: Ankle circles\nStep: Lift one foot.\nSeconds: 30\nKind: back\n";

// Good blocks, each read whole.
TEST(ExerciseFileTest, ReadsGoodBlocks) {
  struct Case {
    std::string name, text;
    std::string title;
    std::vector<std::string> steps;
    int seconds;
    ExerciseKind kind;
    std::string picture;
  };
  const Case cases[] = {
      {"plain", kGood, "Ankle circles", {"Lift one foot."}, 30, ExerciseKind::BackLegs, ""},
      {"names in any case, spaces, CRLF, a BOM and comments",
       "\xEF\xBB\xBF# mine\r\n  TITLE :  Look out  \r\nstep: One.\r\nSTEP: Two.\r\nStep: Three.\r\nseconds: 5\r\nkind: EYES\r\n",
       "Look out", {"One.", "Two.", "Three."}, 5, ExerciseKind::Eyes, ""},
      {"a picture beside the file", kGood + "Picture: ankles.png\n", "Ankle circles", {"Lift one foot."}, 30,
       ExerciseKind::BackLegs, std::string(kFolder) + "\\ankles.png"},
      {"a picture by its full path", kGood + "Picture: D:\\Pictures\\a.jpg\n", "Ankle circles", {"Lift one foot."}, 30,
       ExerciseKind::BackLegs, "D:\\Pictures\\a.jpg"},
      {"a picture on a share", kGood + "Picture: \\\\server\\p\\a.bmp\n", "Ankle circles", {"Lift one foot."}, 30,
       ExerciseKind::BackLegs, "\\\\server\\p\\a.bmp"},
      {"a value with a colon and UTF-8", "Title: Nacken: dehnen ü\nStep: Kopf neigen.\nSeconds: 600\nKind: neck\n",
       "Nacken: dehnen ü", {"Kopf neigen."}, 600, ExerciseKind::NeckShoulders, ""},
      {"hands", "Title: Fists\nStep: Close.\nSeconds: 20\nKind: hands", "Fists", {"Close."}, 20,
       ExerciseKind::HandsWrists, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ExerciseFileReading reading = ReadExerciseFile(c.text, kFolder);
    EXPECT_TRUE(reading.leftOut.empty());
    ASSERT_EQ(reading.exercises.size(), 1u);
    const Exercise& e = reading.exercises.front();
    EXPECT_EQ(e.title, c.title);
    EXPECT_EQ(e.steps, c.steps);
    EXPECT_EQ(e.seconds, c.seconds);
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(e.pictureFile, c.picture);
    EXPECT_FALSE(e.builtIn);
    EXPECT_TRUE(e.drawing.empty());
  }
}

// Every kind of bad block is left out by name, and the good blocks around it are kept.
TEST(ExerciseFileTest, LeavesOutEveryKindOfBadBlockByName) {
  struct Case {
    std::string name, block, leftOutAs;
  };
  const std::string title = "Title: Bad one\n";
  const std::string rest = "Step: Do it.\nSeconds: 30\nKind: back\n";
  const Case cases[] = {
      {"no title", rest, "line 8"},
      {"no step", title + "Seconds: 30\nKind: back\n", "Bad one"},
      {"no seconds", title + "Step: Do it.\nKind: back\n", "Bad one"},
      {"no kind", title + "Step: Do it.\nSeconds: 30\n", "Bad one"},
      {"four steps", title + rest + "Step: 2\nStep: 3\nStep: 4\n", "Bad one"},
      {"two titles", title + "Title: Again\n" + rest, "Bad one"},
      {"seconds twice", title + rest + "Seconds: 40\n", "Bad one"},
      {"kind twice", title + rest + "Kind: eyes\n", "Bad one"},
      {"two pictures", title + rest + "Picture: a.png\nPicture: b.png\n", "Bad one"},
      {"too few seconds", title + "Step: Do it.\nSeconds: 4\nKind: back\n", "Bad one"},
      {"too many seconds", title + "Step: Do it.\nSeconds: 601\nKind: back\n", "Bad one"},
      {"seconds not a number", title + "Step: Do it.\nSeconds: 30s\nKind: back\n", "Bad one"},
      {"negative seconds", title + "Step: Do it.\nSeconds: -30\nKind: back\n", "Bad one"},
      {"an unknown kind", title + "Step: Do it.\nSeconds: 30\nKind: feet\n", "Bad one"},
      {"an unknown name", title + rest + "Colour: red\n", "Bad one"},
      {"a line without a colon", title + rest + "just text\n", "Bad one"},
      {"an empty value", title + rest + "Picture:\n", "Bad one"},
      {"a title too long", "Title: " + std::string(kMaxTitleBytes + 1, 'x') + "\n" + rest, "line 8"},
      {"a step too long", title + "Step: " + std::string(kMaxStepBytes + 1, 'x') + "\nSeconds: 30\nKind: back\n",
       "Bad one"},
      {"a picture path too long", title + rest + "Picture: " + std::string(kMaxPicturePathBytes + 1, 'p') + "\n",
       "Bad one"},
      {"broken UTF-8", title + "Step: \xC3(\nSeconds: 30\nKind: back\n", "Bad one"},
      {"overlong UTF-8", title + "Step: \xC0\xAF\nSeconds: 30\nKind: back\n", "Bad one"},
      {"a control character", title + "Step: a\x01z\nSeconds: 30\nKind: back\n", "Bad one"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ExerciseFileReading reading = ReadExerciseFile(kGood + "\n# a comment\n\n" + c.block + "\n" + kGood, kFolder);
    EXPECT_EQ(reading.exercises.size(), 2u);
    EXPECT_EQ(reading.leftOut, std::vector<std::string>{c.leftOutAs});
    EXPECT_FALSE(reading.tooLarge);
  }
}

TEST(ExerciseFileTest, BoundsTheFileAndTheNumberOfExercises) {
  std::string many;
  for (std::size_t i = 0; i < kMaxOwnExercises + 2; ++i) many += kGood + "\n";
  ASSERT_LE(many.size(), kMaxExerciseFileBytes);
  const ExerciseFileReading reading = ReadExerciseFile(many, kFolder);
  EXPECT_EQ(reading.exercises.size(), kMaxOwnExercises);
  EXPECT_EQ(reading.leftOut, (std::vector<std::string>{"Ankle circles", "Ankle circles"}));

  const std::string huge = kGood + std::string(kMaxExerciseFileBytes, '#');
  const ExerciseFileReading tooLarge = ReadExerciseFile(huge, kFolder);
  EXPECT_TRUE(tooLarge.tooLarge);
  EXPECT_TRUE(tooLarge.exercises.empty());
  EXPECT_TRUE(ReadExerciseFile("", kFolder).exercises.empty());
  EXPECT_TRUE(ReadExerciseFile("\n\n# only comments\n", kFolder).leftOut.empty());

  // A picture over 8 MB or 4096 pixels a side is left out.
  EXPECT_TRUE(PictureFits(kMaxPictureBytes, kMaxPictureSide, kMaxPictureSide));
  EXPECT_FALSE(PictureFits(kMaxPictureBytes + 1, 10, 10));
  EXPECT_FALSE(PictureFits(1000, kMaxPictureSide + 1, 10));
  EXPECT_FALSE(PictureFits(1000, 10, kMaxPictureSide + 1));
  EXPECT_FALSE(PictureFits(1000, 0, 10));
}

}  // namespace
}  // namespace rp::test
