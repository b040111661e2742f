#include <gtest/gtest.h>

#include "breaks/GuidedFixture.h"
#include "exercises/BreathPacer.h"
#include "exercises/BuiltinExercises.h"
#include "Later.h"

namespace rp::test {
namespace {

using GuidedExercisesTest = GuidedTest;

// The break window shows one exercise at a time, each with its picture (named by its title),
// its steps and its own time left, from the fixed order; the next break goes on with it.
TEST_F(GuidedExercisesTest, OneExerciseAtATimeAndTheNextBreakGoesOn) {
  StartReminding("1", {{"Break Length", "1"}, {"Show Exercises", "On"}});
  // The order the breaks must follow: two breaks of a minute from a fresh start.
  ExerciseSequence expected({BuiltinExercises().begin(), BuiltinExercises().end()});
  const auto first = expected.Fill(60), second = expected.Fill(60);
  ASSERT_GE(first.size(), 2u);
  const auto title = [&](const ExerciseSlot& slot) { return expected.Exercises()[slot.exercise].title; };
  const auto look = [&](const std::vector<ExerciseSlot>& slots) {
    return [&, slots](FormBreak& w) {
      ASSERT_NE(w.Picture1, nullptr);
      const Exercise& exercise = expected.Exercises()[slots.front().exercise];
      EXPECT_EQ(w.Label1.Text(), "Time for a break");
      EXPECT_EQ(w.Label2.Text(), exercise.title);
      EXPECT_EQ(w.Picture1->Text(), exercise.title);
      EXPECT_EQ(w.Picture1->Kind(), ControlKind::Picture);
      EXPECT_FALSE(w.Picture1->Drawing().empty());
      EXPECT_EQ(w.Label4->Text().find(exercise.steps.front()), 0u);
      EXPECT_EQ(w.Label5->Text(), ClockText(slots.front().seconds - 1));
      EXPECT_EQ(w.ProgressBar1.Text(), "00:59");
      // The time left and the buttons sit below the exercise, inside the work area.
      EXPECT_GT(w.ProgressBar1.Rect().top, w.Label5->Rect().top + w.Label5->Rect().height);
      EXPECT_GT(w.Label2.Rect().top, w.Picture1->Rect().top + w.Picture1->Rect().height);
      EXPECT_GE(w.Label1.Rect().top, 0);
      EXPECT_LE(w.Label3.Rect().top + w.Label3.Rect().height, w.Height());
    };
  };
  AtEachBreak({look(first), look(second)});
  // The second exercise follows when the first one's time is up.
  Later next(desktop, kMinute + first[1].startSecond * 1000 + 500, [&] {
    ASSERT_FALSE(Windows().empty());
    EXPECT_EQ(Windows().back()->Label2.Text(), title(first[1]));
  });
  desktop.RunFor(4 * kMinute);
  EXPECT_EQ(log.events, (std::vector<std::string>{"taken", "taken"}));
  // The second break began where the first one stopped, not from the start again.
  EXPECT_NE(title(second.front()), title(first.front()));
}

// An eye break shows the eye exercises in turn, each with its picture named by its title and
// its steps; without exercises it shows its one line as before.
TEST_F(GuidedExercisesTest, EyeBreaksShowTheEyeExercisesInTurn) {
  ExerciseSequence expected({BuiltinExercises().begin(), BuiltinExercises().end()});
  const std::string first = expected.NextEye()->title, second = expected.NextEye()->title;
  for (const bool exercises : {true, false}) {
    SCOPED_TRACE(exercises);
    Restart();
    StartReminding("45", {{"Eye Breaks", "On"}, {"Show Exercises", exercises ? "On" : "Off"}});
    std::vector<std::string> seen;
    const auto look = [&] {
      FormEyeBreak* w = form().breaks.EyeWindow();
      ASSERT_NE(w, nullptr);
      seen.push_back(w->Label1.Text());
      ASSERT_EQ(w->Picture1 != nullptr, exercises);
      if (!exercises) return;
      EXPECT_EQ(w->Picture1->Text(), w->Label1.Text());
      EXPECT_FALSE(w->Picture1->Drawing().empty());
      EXPECT_FALSE(w->Label3->Text().empty());
      // The countdown below the texts, all inside the window.
      EXPECT_GT(w->Label2.Rect().top, w->Label3->Rect().top + w->Label3->Rect().height - 1);
      EXPECT_LE(w->Picture1->Rect().top + w->Picture1->Rect().height, w->Height());
    };
    Later firstLook(desktop, 20 * kMinute + 5 * kSecond, look);
    Later secondLook(desktop, 40 * kMinute + 5 * kSecond, look);
    desktop.RunFor(41 * kMinute);
    const std::vector<std::string> titles{first, second}, line(2, "Look at something far away");
    EXPECT_EQ(seen, exercises ? titles : line);
  }
}

// The pacer grows for 4 seconds with "Breathe in", shrinks for 6 with "Breathe out", and draws
// its frames only while its window can be seen.
TEST_F(GuidedExercisesTest, ThePacerBreathesAndAnimatesOnlyWhileSeen) {
  Start();
  std::vector<Exercise> pacer;
  for (const Exercise& e : BuiltinExercises())
    if (e.pacer) pacer.push_back(e);
  ExerciseShow show{desktop, pacer, {{0, 0, 60}}, desktop.NowMs()};
  FormBreak w(desktop, form().breaks.guided, desktop.monitors.List().front(), "", &show);
  w.Show();
  w.ShowExercise();
  EXPECT_EQ(w.Label5->Text(), "Breathe in  01:00");
  EXPECT_EQ(w.Timer1.Interval(), BreathPacer::kFrameMs);
  const auto discWidth = [&] { return w.Picture1->Drawing().at(1).rect.width; };
  // The picture is drawn again only when its circle moves a step: in a whole breath, about
  // twice the steps from smallest to largest, not every frame of the 300.
  struct CountDrawings : ControlView {
    int drawings = 0;
    void Refresh(ControlChange change) override { drawings += change == ControlChange::Drawing; }
  } counted;
  w.Picture1->Attach(&counted);
  const int smallest = discWidth();
  desktop.RunFor(2 * kSecond);
  const int half = discWidth();
  desktop.RunFor(2 * kSecond + 100);
  EXPECT_LT(smallest, half);
  EXPECT_LT(half, discWidth());
  EXPECT_EQ(w.Label5->Text(), "Breathe out  00:56");
  desktop.RunFor(3 * kSecond);
  EXPECT_LT(discWidth(), half + 50);
  desktop.RunFor(kSecond - 100);  // a whole breath since the start
  EXPECT_GT(counted.drawings, BreathPacer::kSizeSteps);
  EXPECT_LE(counted.drawings, 2 * BreathPacer::kSizeSteps);
  w.Picture1->Attach(nullptr);
  // Covered by another window, it stops; the break's next tick finds it uncovered again.
  desktop.ViewOf(w)->covered = true;
  w.ShowState(50, 60, 3, false);
  EXPECT_EQ(w.Timer1.Interval(), 0);
  desktop.ViewOf(w)->covered = false;
  w.ShowState(49, 60, 3, false);
  EXPECT_EQ(w.Timer1.Interval(), BreathPacer::kFrameMs);
  w.SetVisible(false);
  desktop.RunFor(100);
  EXPECT_EQ(w.Timer1.Interval(), 0);
  w.Unload();
}

// The end sound plays once when the break's time is up, never when it is postponed or skipped.
TEST_F(GuidedExercisesTest, TheEndSoundPlaysWhenTheTimeIsUpOnly) {
  const std::string end = "C:\\Sounds\\gong.wav";
  StartReminding("1", {{"Break Length", "1"}, {"Break End Sound", end}});
  AtEachBreak({[&](FormBreak& w) { Postpone(w); }, [&](FormBreak& w) { Skip(w); }, [](FormBreak&) {}});
  desktop.RunFor(kMinute + 2 * kSecond);
  desktop.RunFor(5 * kMinute + 2 * kSecond);
  EXPECT_EQ(log.events, (std::vector<std::string>{"postponed", "skipped"}));
  EXPECT_EQ(CountCalls(desktop.player.calls, "url " + end), 0);
  desktop.RunFor(2 * kMinute + 2 * kSecond);
  EXPECT_EQ(log.events, (std::vector<std::string>{"postponed", "skipped", "taken"}));
  EXPECT_EQ(desktop.player.calls.back(), "url " + end);
  EXPECT_EQ(CountCalls(desktop.player.calls, "url " + end), 1);
}

// The user's own exercises in the break window, read before each break: what is left out is
// told in the tray tip once, until the tip changes, and not again for the same file; an edited
// file is taken at the next break without a restart.
TEST_F(GuidedExercisesTest, TheUsersOwnExercisesAndWhatIsLeftOutToldOnce) {
  const std::string folder = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvadore\\Periodic Respite Prompter\\";
  const std::string window = "Title: Far window\nStep: Look out.\nSeconds: 60\nKind: eyes\n\n";
  const std::string ankles = "Title: Ankle circles\nStep: Circle.\nSeconds: 60\nKind: back\nPicture: a.png\n";
  desktop.files.Add(folder + "exercises.txt", {ankles + "\n" + window});
  desktop.files.Add(folder + "a.png", {"damaged"});
  StartReminding("1", {{"Break Length", "1"},
                       {"Show Exercises", "On"},
                       {"Own Exercises", "Only"},
                       {"Tip Shows Time Left", "On"}});
  std::vector<std::string> titles, tips;
  const auto look = [&](FormBreak& w) {
    titles.push_back(w.Label2.Text());
    tips.push_back(form().cSysTray1.TrayTip());
  };
  AtEachBreak({look, [&](FormBreak& w) {
                 look(w);
                 desktop.files.Add(folder + "a.png", {"picture 300x200"});
                 desktop.files.Add(folder + "exercises.txt", {ankles});
               },
               look});
  desktop.RunFor(7 * kMinute);
  EXPECT_EQ(titles, (std::vector<std::string>{"Far window", "Far window", "Ankle circles"}));
  ASSERT_EQ(tips.size(), 3u);
  EXPECT_NE(tips[0].find(" - exercises.txt: left out Ankle circles"), std::string::npos) << tips[0];
  for (const std::string& tip : {tips[1], tips[2], form().cSysTray1.TrayTip()})
    EXPECT_EQ(tip.find("left out"), std::string::npos) << tip;
}

}  // namespace
}  // namespace rp::test
