#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Later.h"
#include "SimFixture.h"
#include "options/FormOptions.h"
#include "runtime/TabOrder.h"

namespace rp::test {
namespace {

const char* NameOf(const Control* control) { return control ? control->Name().c_str() : "nothing"; }

// The Options window as pages of a tab strip, opened from the system menu.
class OptionsTabsTest : public SimTest {
 protected:
  void Work(const std::function<void(FormOptions&)>& work) {
    Later later(desktop, 500, [&] { work(*program->formOptions); });
    desktop.Run([&] { form().UserSystemMenu(0); });
  }
  // The caption of the one page that shows; "several" or "none" otherwise.
  static std::string ShownPage(const FormOptions& w) {
    std::string shown = "none";
    for (const Control* page : w.TabStrip1.Pages())
      if (page->Visible()) shown = shown == "none" ? page->Text() : "several";
    return shown;
  }
  Control* Focused(const FormOptions& w) { return desktop.ViewOf(w)->focused; }
};

// A tab clicked shows its page; Ctrl+Tab and Ctrl+Shift+Tab go round the pages and put the focus
// on the new page's first field. Tab runs through the page's fields, then the buttons, then the
// tabs.
TEST_F(OptionsTabsTest, TabsShowOnePageAtATimeByClickAndByKeys) {
  Start();
  Work([&](FormOptions& w) {
    EXPECT_EQ(w.TabStrip1.Entries(), (std::vector<std::string>{"Breaks", "Tray and working hours", "Guided Breaks",
                                                               "Statistics", "Keyboard", "Calendar", "Appearance"}));
    EXPECT_EQ(ShownPage(w), "Breaks");
    enum class Do { Click, CtrlTab, CtrlShiftTab };
    const struct {
      Do action;
      const char* tab;  // the tab clicked
      const char* page;
      Control* focused;  // after a key; a click leaves the focus to the platform
      std::vector<Control*> stops;  // the page's fields and the buttons, in Tab's order
    } steps[] = {
        {Do::CtrlTab, "", "Tray and working hours", &w.Check4, {&w.Check4, &w.Check5, &w.Text2, &w.Text3}},
        {Do::Click, "Keyboard", "Keyboard", nullptr, {&w.Hotkey30, &w.Hotkey31, &w.Hotkey32, &w.Hotkey33}},
        {Do::CtrlTab, "", "Calendar", &w.Text50, {&w.Text50, &w.PushButton50}},
        {Do::CtrlTab, "", "Appearance", &w.Combo1, {&w.Combo1, &w.Combo2}},
        {Do::CtrlTab, "", "Breaks", &w.Check1, {&w.Check1, &w.Text1, &w.Check2, &w.Check3}},  // round
        {Do::CtrlShiftTab, "", "Appearance", &w.Combo1, {&w.Combo1, &w.Combo2}},                          // and back
        {Do::CtrlShiftTab, "", "Calendar", &w.Text50, {&w.Text50, &w.PushButton50}},
        {Do::CtrlShiftTab, "", "Keyboard", &w.Hotkey30, {&w.Hotkey30, &w.Hotkey31, &w.Hotkey32, &w.Hotkey33}},
        {Do::Click, "Guided Breaks", "Guided Breaks", nullptr,
         {&w.Text20, &w.Text21, &w.Text22, &w.Check21, &w.Check20, &w.Check22, &w.Check23, &w.Text23, &w.PushButton23}},
        {Do::Click, "Statistics", "Statistics", nullptr, {&w.Check9}},
    };
    for (const auto& step : steps) {
      if (step.action == Do::Click) desktop.Choose(w.TabStrip1, step.tab);
      else desktop.PressNextPage(w, step.action == Do::CtrlShiftTab);
      EXPECT_EQ(ShownPage(w), step.page);
      EXPECT_EQ(w.TabStrip1.Entries()[static_cast<std::size_t>(w.TabStrip1.Value())], step.page);
      if (step.focused) EXPECT_STREQ(NameOf(Focused(w)), NameOf(step.focused)) << step.page;
      std::vector<Control*> order = step.stops;
      for (Control* button : {&w.PushButton1, &w.PushButton2, &w.PushButton3, &w.PushButton4, &w.TabStrip1})
        order.push_back(button);
      for (std::size_t i = 0; i < order.size(); ++i) {
        Control* next = order[(i + 1) % order.size()];
        EXPECT_STREQ(NameOf(NextTabStop(w, order[i], false)), NameOf(next)) << step.page;
        EXPECT_STREQ(NameOf(NextTabStop(w, next, true)), NameOf(order[i])) << step.page;
      }
    }
    desktop.Click(w.PushButton2);
  });
}

// OK with a field wrong: the field's page comes up with the focus in the field, whichever page
// was shown, after the message box where the field has one.
TEST_F(OptionsTabsTest, OkShowsTheFirstWrongFieldOnItsPage) {
  Start();
  struct Case {
    std::function<void(FormOptions&)> type;
    const char* page;
    const char* field;
    std::size_t boxes;
  };
  const Case cases[] = {
      {[&](FormOptions& w) { desktop.Type(w.Text1, "61"); }, "Breaks", "Text1", 1},
      {[&](FormOptions& w) { desktop.Type(w.Text21, "21"); }, "Guided Breaks", "Text21", 1},
      {[&](FormOptions& w) { desktop.Type(w.Text2, "8:00-25:00"); }, "Tray and working hours", "Text2", 0},
      {[&](FormOptions& w) {
         desktop.Type(w.Text3, "Funday");
         desktop.Type(w.Hotkey31, "Ctrl+Alt+B");
         desktop.Type(w.Hotkey32, "Ctrl+Alt+B");
       },
       "Tray and working hours", "Text3", 0},
      {[&](FormOptions& w) {
         desktop.Type(w.Hotkey31, "Ctrl+Alt+B");
         desktop.Type(w.Hotkey32, "Ctrl+Alt+B");
       },
       "Keyboard", "Hotkey32", 0},
  };
  for (const Case& c : cases) {
    desktop.dialogs.boxes.clear();
    Work([&](FormOptions& w) {
      c.type(w);
      desktop.Choose(w.TabStrip1, "Appearance");
      desktop.Click(w.PushButton1);
      EXPECT_TRUE(w.IsLoaded()) << c.page;
      EXPECT_EQ(desktop.dialogs.boxes.size(), c.boxes) << c.page;
      EXPECT_EQ(ShownPage(w), c.page);
      EXPECT_STREQ(NameOf(Focused(w)), c.field);
      desktop.Click(w.PushButton2);
    });
  }
}

// The exercises and the sound at a break's end: Browse... fills the box, Cancel keeps it, OK stores both.
TEST_F(OptionsTabsTest, ExercisesAndTheEndSoundAreChosenOnTheGuidedBreaksPage) {
  Start();
  desktop.dialogs.openAnswers = {"C:\\Sounds\\gong.wav", ""};
  Work([&](FormOptions& w) {
    desktop.Choose(w.TabStrip1, "Guided Breaks");
    desktop.Click(w.Check22);
    desktop.Click(w.Check23);
    desktop.Click(w.PushButton23);
    desktop.Click(w.PushButton23);  // cancelled
    EXPECT_EQ(w.Text23.Text(), "C:\\Sounds\\gong.wav");
    desktop.Click(w.PushButton1);
  });
  EXPECT_EQ(Stored("Show Exercises"), "On");
  EXPECT_EQ(Stored("Own Exercises"), "Only");
  EXPECT_EQ(Stored("Break End Sound"), "C:\\Sounds\\gong.wav");
  EXPECT_EQ(desktop.dialogs.openRequests.size(), 2u);
}

}  // namespace
}  // namespace rp::test
