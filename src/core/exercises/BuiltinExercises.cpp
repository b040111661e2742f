#include "exercises/BuiltinExercises.h"

#include <array>
#include <vector>

#include "runtime/Translation.h"

namespace rp {
namespace {

// The drawings: stick figures and eyes, drawn here for this program. An open eye is two lid
// arcs of radius 38 whose centres sit 23 above and below it.
constexpr Stroke kFarAndNear[] = {
    Arc(22, 61, 18, 39, 102), Arc(22, 39, 18, 219, 102), Disc(22, 50, 4),
    Line(40, 50, 46, 50), Line(52, 50, 58, 50), Line(64, 50, 70, 50),
    Line(86, 74, 86, 56), Circle(86, 47, 9), Line(34, 78, 34, 64), Arc(34, 62, 3, 0, 180),
};
constexpr Stroke kEyeCircles[] = {
    Arc(50, 73, 38, 37, 106), Arc(50, 27, 38, 217, 106), Circle(50, 50, 9), Disc(50, 50, 4),
    Arc(50, 50, 44, 120, 300), Line(72, 12, 64, 6), Line(72, 12, 62, 16),
};
constexpr Stroke kPalming[] = {
    Circle(50, 48, 24), Arc(41, 46, 6, 180, 180), Arc(59, 46, 6, 180, 180),
    Arc(39, 46, 12, 0, 180), Arc(61, 46, 12, 0, 180), Line(27, 46, 20, 90), Line(73, 46, 80, 90),
};
constexpr Stroke kBlinking[] = {
    Arc(50, 28, 38, 217, 106), Line(50, 66, 50, 76), Line(35, 63, 31, 71), Line(65, 63, 69, 71),
    Line(22, 52, 17, 58), Line(78, 52, 83, 58),
};
constexpr Stroke kShoulderRolls[] = {
    Circle(50, 28, 10), Line(50, 38, 50, 46), Line(30, 50, 70, 50), Arc(40, 60, 11, 90, 90),
    Line(29, 60, 31, 92), Line(71, 60, 69, 92), Arc(60, 60, 11, 0, 90),
    Arc(22, 40, 9, 60, 270), Line(26, 48, 20, 50), Arc(78, 40, 9, 210, 270), Line(74, 48, 80, 50),
};
constexpr Stroke kNeckTilt[] = {
    Circle(61, 30, 10), Line(50, 50, 56, 39), Line(26, 52, 74, 52), Line(30, 52, 32, 92),
    Line(70, 52, 68, 92), Arc(50, 52, 46, 45, 40), Line(83, 20, 83, 11), Line(83, 20, 75, 18),
};
constexpr Stroke kChinTuck[] = {
    Circle(46, 30, 11), Line(44, 41, 44, 52), Line(44, 52, 40, 92), Line(44, 52, 58, 66),
    Line(58, 66, 66, 60), Line(82, 38, 64, 38), Line(64, 38, 69, 33), Line(64, 38, 69, 43),
};
constexpr Stroke kShoulderSqueeze[] = {
    Circle(50, 20, 9), Line(50, 29, 50, 88), Line(28, 38, 72, 38), Line(28, 38, 24, 62),
    Line(24, 62, 38, 68), Line(72, 38, 76, 62), Line(76, 62, 62, 68),
    Line(32, 50, 43, 50), Line(43, 50, 39, 46), Line(68, 50, 57, 50), Line(57, 50, 61, 46),
};
constexpr Stroke kWristCircles[] = {
    Line(6, 54, 52, 54), Line(6, 66, 52, 66), Circle(62, 60, 10),
    Arc(62, 60, 22, 40, 290), Line(79, 46, 78, 37), Line(79, 46, 88, 45),
};
constexpr Stroke kFingerStretch[] = {
    Arc(50, 66, 16, 180, 180), Line(34, 66, 26, 40), Line(40, 56, 36, 24), Line(47, 52, 48, 18),
    Line(54, 52, 60, 20), Line(62, 56, 72, 28), Line(66, 66, 82, 52), Line(42, 82, 42, 96), Line(58, 82, 58, 96),
};
constexpr Stroke kWristStretch[] = {
    Line(4, 44, 52, 44), Line(4, 56, 52, 56), Arc(52, 56, 12, 0, 90), Line(64, 56, 70, 80),
    Line(52, 56, 58, 82), Line(70, 80, 58, 82), Circle(80, 86, 7), Line(74, 82, 68, 76),
};
constexpr Stroke kHandShake[] = {
    Line(34, 8, 34, 58), Line(66, 8, 66, 58), Circle(34, 67, 8), Circle(66, 67, 8),
    Line(20, 60, 16, 72), Line(14, 58, 10, 70), Line(80, 60, 84, 72), Line(86, 58, 90, 70),
};
constexpr Stroke kStandAndReach[] = {
    Circle(50, 28, 7), Line(50, 35, 50, 64), Line(50, 64, 40, 94), Line(50, 64, 60, 94),
    Line(50, 40, 38, 8), Line(50, 40, 62, 8), Line(82, 44, 82, 10), Line(82, 10, 77, 16), Line(82, 10, 87, 16),
};
constexpr Stroke kSideBend[] = {
    Circle(37, 25, 7), Line(50, 62, 41, 32), Line(50, 62, 40, 94), Line(50, 62, 60, 94),
    Line(45, 36, 58, 18), Line(58, 18, 44, 8), Line(45, 42, 66, 58), Arc(50, 62, 52, 100, 45), Line(7, 32, 6, 22),
    Line(7, 32, 16, 29),
};
constexpr Stroke kCalfRaises[] = {
    Circle(44, 14, 7), Line(44, 21, 44, 56), Line(44, 56, 44, 82), Line(44, 82, 50, 90), Line(50, 90, 60, 90),
    Line(44, 30, 70, 42), Line(72, 30, 72, 92), Line(72, 54, 90, 54), Line(90, 54, 90, 92),
    Line(20, 86, 20, 64), Line(20, 64, 15, 70), Line(20, 64, 25, 70),
};
constexpr Stroke kSeatedTwist[] = {
    Line(28, 64, 72, 64), Line(32, 64, 32, 94), Line(68, 64, 68, 94), Line(72, 64, 72, 30),
    Circle(50, 20, 7), Line(50, 27, 50, 64), Line(36, 38, 62, 34),
    Arc(50, 34, 20, 200, 140), Line(69, 41, 70, 33), Line(69, 41, 61, 41),
};
constexpr Stroke kBreathing[] = {Circle(50, 50, 40)};

struct Entry {
  ExerciseKind kind;
  const char* title;
  std::array<const char*, kMaxSteps> steps;
  int seconds;
  std::span<const Stroke> drawing;
  bool pacer = false;
};

// TRANSLATORS: the titles and steps of the exercises shown in the break window; a title is a
// few words, a step one short sentence
const Entry kEntries[] = {
    {ExerciseKind::Eyes, TrNoop("Far and near"),
     {TrNoop("Look at something far away."), TrNoop("Then look at your thumb close up, and back.")}, 20, kFarAndNear},
    {ExerciseKind::Eyes, TrNoop("Eye circles"),
     {TrNoop("Keep your head still."), TrNoop("Roll your eyes slowly in a big circle.")}, 20, kEyeCircles},
    {ExerciseKind::Eyes, TrNoop("Palming"),
     {TrNoop("Rub your hands until they are warm."), TrNoop("Cup them over your closed eyes.")}, 20, kPalming},
    {ExerciseKind::Eyes, TrNoop("Slow blinks"),
     {TrNoop("Blink slowly ten times."), TrNoop("Then close your eyes and rest them.")}, 20, kBlinking},
    {ExerciseKind::NeckShoulders, TrNoop("Shoulder rolls"),
     {TrNoop("Lift your shoulders towards your ears."), TrNoop("Roll them back and down, slowly.")}, 30, kShoulderRolls},
    {ExerciseKind::NeckShoulders, TrNoop("Neck tilt"),
     {TrNoop("Tilt your ear towards your shoulder."), TrNoop("Hold, then change sides.")}, 30, kNeckTilt},
    {ExerciseKind::NeckShoulders, TrNoop("Chin tuck"),
     {TrNoop("Sit tall."), TrNoop("Pull your chin straight back, hold, and let go.")}, 30, kChinTuck},
    {ExerciseKind::NeckShoulders, TrNoop("Shoulder blade squeeze"),
     {TrNoop("Squeeze your shoulder blades together."), TrNoop("Hold, then relax.")}, 30, kShoulderSqueeze},
    {ExerciseKind::HandsWrists, TrNoop("Wrist circles"),
     {TrNoop("Hold your arms out in front of you."), TrNoop("Circle your wrists slowly, both ways.")}, 30, kWristCircles},
    {ExerciseKind::HandsWrists, TrNoop("Finger stretch"),
     {TrNoop("Spread your fingers wide."), TrNoop("Hold, then make a loose fist.")}, 30, kFingerStretch},
    {ExerciseKind::HandsWrists, TrNoop("Wrist stretch"),
     {TrNoop("Hold one arm out, palm down."), TrNoop("Gently bend the hand down with the other hand."),
      TrNoop("Change hands.")}, 30, kWristStretch},
    {ExerciseKind::HandsWrists, TrNoop("Shake out"),
     {TrNoop("Let your arms hang loose."), TrNoop("Shake your hands gently.")}, 30, kHandShake},
    {ExerciseKind::BackLegs, TrNoop("Stand and reach"),
     {TrNoop("Stand up."), TrNoop("Reach up high with both arms.")}, 30, kStandAndReach},
    {ExerciseKind::BackLegs, TrNoop("Side bend"),
     {TrNoop("Stand with your feet apart."), TrNoop("Lean slowly to one side, then the other.")}, 30, kSideBend},
    {ExerciseKind::BackLegs, TrNoop("Calf raises"),
     {TrNoop("Stand behind your chair and hold it."), TrNoop("Rise onto your toes, then lower slowly.")}, 30, kCalfRaises},
    {ExerciseKind::BackLegs, TrNoop("Seated twist"),
     {TrNoop("Sit tall."), TrNoop("Turn your upper body to one side, then the other.")}, 30, kSeatedTwist},
    {ExerciseKind::Breathing, TrNoop("Slow breathing"),
     {TrNoop("Breathe in as the circle grows."), TrNoop("Breathe out as it shrinks.")}, 60, kBreathing, true},
};

std::vector<Exercise> Build() {
  std::vector<Exercise> all;
  for (const Entry& entry : kEntries) {
    Exercise exercise{entry.kind, entry.title, {}, entry.seconds, entry.drawing, "", true, entry.pacer};
    for (const char* step : entry.steps)
      if (step) exercise.steps.emplace_back(step);
    all.push_back(std::move(exercise));
  }
  return all;
}

}  // namespace

std::span<const Exercise> BuiltinExercises() {
  static const std::vector<Exercise> all = Build();
  return all;
}

}  // namespace rp
