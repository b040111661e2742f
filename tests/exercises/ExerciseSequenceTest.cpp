#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "exercises/BreathPacer.h"
#include "exercises/BuiltinExercises.h"
#include "exercises/ExerciseSequence.h"

namespace rp::test {
namespace {

std::vector<Exercise> Builtin() {
  const auto all = BuiltinExercises();
  return {all.begin(), all.end()};
}

TEST(BuiltinExercisesTest, FourOfEachKindAndThePacerEachWithADrawingInItsBox) {
  std::map<ExerciseKind, int> kinds;
  std::set<std::string> titles;
  for (const Exercise& exercise : BuiltinExercises()) {
    SCOPED_TRACE(exercise.title);
    ++kinds[exercise.kind];
    EXPECT_TRUE(titles.insert(exercise.title).second);
    EXPECT_TRUE(exercise.builtIn);
    EXPECT_GE(exercise.steps.size(), 1u);
    EXPECT_LE(exercise.steps.size(), static_cast<std::size_t>(kMaxSteps));
    EXPECT_EQ(exercise.pacer, exercise.kind == ExerciseKind::Breathing);
    ASSERT_FALSE(exercise.drawing.empty());
    // Every point a stroke reaches stays within the 100 by 100 box (an arc's, one every degree).
    for (const Stroke& s : exercise.drawing) {
      std::vector<std::pair<double, double>> points;
      if (s.shape == Stroke::Shape::Line) points = {{s.a, s.b}, {s.c, s.d}};
      const bool arc = s.shape == Stroke::Shape::Arc;
      const int sweep = arc ? s.e : 360;
      for (int i = 0; s.shape != Stroke::Shape::Line && i <= sweep; ++i) {
        const double angle = ((arc ? s.d : 0) + i) * 3.14159265358979 / 180;
        points.emplace_back(s.a + s.c * std::cos(angle), s.b - s.c * std::sin(angle));
      }
      for (const auto& [x, y] : points) {
        EXPECT_GE(x, -0.5);
        EXPECT_GE(y, -0.5);
        EXPECT_LE(x, 100.5);
        EXPECT_LE(y, 100.5);
      }
    }
  }
  EXPECT_EQ(kinds, (std::map<ExerciseKind, int>{{ExerciseKind::Eyes, 4},
                                                 {ExerciseKind::NeckShoulders, 4},
                                                 {ExerciseKind::HandsWrists, 4},
                                                 {ExerciseKind::BackLegs, 4},
                                                 {ExerciseKind::Breathing, 1}}));
}

// A break of 1, 5 and 30 minutes is filled from its first second to its last, one exercise
// after another, none longer than its own time and none shorter than the shortest slot.
TEST(ExerciseSequenceTest, FillsBreaksOfOneFiveAndThirtyMinutes) {
  for (const int minutes : {1, 5, 30}) {
    SCOPED_TRACE(minutes);
    ExerciseSequence sequence(Builtin());
    const auto slots = sequence.Fill(minutes * 60);
    ASSERT_FALSE(slots.empty());
    int at = 0;
    for (const ExerciseSlot& slot : slots) {
      EXPECT_EQ(slot.startSecond, at);
      EXPECT_GE(slot.seconds, ExerciseSequence::kShortestSlotSeconds);
      EXPECT_LT(slot.seconds, sequence.Exercises()[slot.exercise].seconds + ExerciseSequence::kShortestSlotSeconds);
      at += slot.seconds;
    }
    EXPECT_EQ(at, minutes * 60);
  }
  // Each round shows every exercise once before any comes again, and never one twice running.
  ExerciseSequence sequence(Builtin());
  const auto slots = sequence.Fill(30 * 60);
  std::set<std::size_t> firstRound;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (i < 17) firstRound.insert(slots[i].exercise);
    if (i > 0) EXPECT_NE(slots[i].exercise, slots[i - 1].exercise);
  }
  EXPECT_EQ(firstRound.size(), 17u);
}

// The next break goes on where the last one stopped, and a fresh start gives the same order
// again (so that pictures of the first breaks come out the same).
TEST(ExerciseSequenceTest, TheNextBreakContinuesTheSameFixedOrder) {
  ExerciseSequence one(Builtin()), other(Builtin());
  const auto longBreak = one.Fill(10 * 60);
  const auto first = other.Fill(5 * 60);
  const auto second = other.Fill(5 * 60);
  ASSERT_GE(first.size() + second.size(), longBreak.size());
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].exercise, longBreak[i].exercise);
  EXPECT_EQ(second.front().exercise, longBreak[first.size()].exercise);
  EXPECT_EQ(second.front().startSecond, 0);
  EXPECT_EQ(ExerciseSequence(Builtin()).Fill(60), ExerciseSequence(Builtin()).Fill(60));
}

TEST(ExerciseSequenceTest, ALeftoverTooShortForAnExerciseLengthensTheOneBefore) {
  std::vector<Exercise> two(2);
  two[0].seconds = two[1].seconds = 30;
  ExerciseSequence sequence(two);
  const auto slots = sequence.Fill(65);
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].seconds, 30);
  EXPECT_EQ(slots[1].startSecond, 30);
  EXPECT_EQ(slots[1].seconds, 35);
  // A break shorter than the shortest slot is still one exercise.
  EXPECT_EQ(sequence.Fill(6).size(), 1u);
}

TEST(ExerciseSequenceTest, SlotAtFollowsTheBreaksTimeAndEyeBreaksTakeEyeExercisesInTurn) {
  const std::vector<ExerciseSlot> slots = {{3, 0, 30}, {5, 30, 20}};
  EXPECT_EQ(SlotAt(slots, 0)->exercise, 3u);
  EXPECT_EQ(SlotAt(slots, 29)->exercise, 3u);
  EXPECT_EQ(SlotAt(slots, 30)->exercise, 5u);
  EXPECT_EQ(SlotAt(slots, 99)->exercise, 5u);
  EXPECT_EQ(SlotAt({}, 0), nullptr);

  ExerciseSequence sequence(Builtin());
  std::vector<std::string> titles;
  for (int i = 0; i < 5; ++i) titles.push_back(sequence.NextEye()->title);
  EXPECT_EQ(titles, (std::vector<std::string>{"Far and near", "Eye circles", "Palming", "Slow blinks", "Far and near"}));
  std::vector<Exercise> none(1);
  EXPECT_EQ(ExerciseSequence(none).NextEye(), nullptr);
  EXPECT_TRUE(ExerciseSequence().Fill(300).empty());
}

// In for 4 seconds, growing; out for 6, shrinking; again and again.
TEST(BreathPacerTest, GrowsForFourSecondsAndShrinksForSix) {
  struct Case {
    std::int64_t ms;
    bool in;
    double size;
  };
  const Case cases[] = {
      {0, true, 0},       {2000, true, 0.5},   {3999, true, 1},     {4000, false, 1},   {7000, false, 0.5},
      {9999, false, 0},   {10000, true, 0},    {12000, true, 0.5},  {57000, false, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ms);
    const BreathPhase phase = BreathPacer::At(c.ms);
    EXPECT_EQ(phase.in, c.in);
    EXPECT_NEAR(phase.size, c.size, 0.001);
  }
  // The size only grows while breathing in and only shrinks while breathing out.
  for (std::int64_t ms = 0; ms < 10000; ms += BreathPacer::kFrameMs) {
    const BreathPhase now = BreathPacer::At(ms), next = BreathPacer::At(ms + BreathPacer::kFrameMs);
    if (now.in && next.in) EXPECT_GE(next.size, now.size);
    if (!now.in && !next.in) EXPECT_LE(next.size, now.size);
  }
  EXPECT_LE(1000 / BreathPacer::kFrameMs, 30);
  EXPECT_EQ(BreathPacer::FrameIntervalMs(true), BreathPacer::kFrameMs);
  EXPECT_EQ(BreathPacer::FrameIntervalMs(false), 0);
}

}  // namespace
}  // namespace rp::test
