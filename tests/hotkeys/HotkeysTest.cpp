#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "Later.h"
#include "breaks/GuidedFixture.h"
#include "hotkeys/GlobalKeys.h"
#include "options/FormOptions.h"
#include "settings/HotkeyText.h"
#include "settings/SettingTable.h"

// The keys that work from anywhere: how they are written, when each is registered, what a press
// does, and what the user is told of a key another program holds.
namespace rp::test {
namespace {

using Events = std::vector<std::string>;
constexpr Hotkey kCtrlAltB{Hotkey::kCtrl | Hotkey::kAlt, 'B'};
constexpr Hotkey kWinShiftF9{Hotkey::kWin | Hotkey::kShift, 0x78};
constexpr Hotkey kCtrlAltP{Hotkey::kCtrl | Hotkey::kAlt, 'P'};
constexpr Hotkey kCtrlAltO{Hotkey::kCtrl | Hotkey::kAlt, 'O'};
constexpr Hotkey kCtrlAltS{Hotkey::kCtrl | Hotkey::kAlt, 'S'};

TEST(HotkeyText, ReadsTheUsualFormAndWritesItBackTheSame) {
  const struct {
    const char* text;
    std::optional<Hotkey> key;
    const char* written;  // as the program writes it back
  } cases[] = {
      {"Ctrl+Alt+B", kCtrlAltB, "Ctrl+Alt+B"},
      {"Win+Shift+F9", kWinShiftF9, "Win+Shift+F9"},
      {"alt+ctrl+b", kCtrlAltB, "Ctrl+Alt+B"},  // any order, any case
      {"Shift+Win+f9", kWinShiftF9, "Win+Shift+F9"},
      {"F9", Hotkey{0, 0x78}, "F9"},  // a function key may stand alone
      {"Shift+Pause", Hotkey{Hotkey::kShift, 0x13}, "Shift+Pause"},
      {"Ctrl+Num7", Hotkey{Hotkey::kCtrl, 0x67}, "Ctrl+Num7"},
      {"Win+PageDown", Hotkey{Hotkey::kWin, 0x22}, "Win+PageDown"},
      {"Ctrl+Alt+Shift+Win+F24", Hotkey{15, 0x87}, "Win+Ctrl+Alt+Shift+F24"},
      {"Ctrl+;", Hotkey{Hotkey::kCtrl, 0xBA}, "Ctrl+;"},
      {"", Hotkey{}, ""},  // no key
      // Bad texts are no key at all.
      {"B", std::nullopt, ""},            // a typing key alone
      {"Shift+B", std::nullopt, ""},      // Shift is still typing
      {"Shift+Delete", std::nullopt, ""},
      {"Ctrl+Alt", std::nullopt, ""},     // modifiers only
      {"Ctrl+", std::nullopt, ""},
      {"+B", std::nullopt, ""},
      {"Ctrl+Ctrl+B", std::nullopt, ""},  // a modifier twice
      {"Ctrl+B+C", std::nullopt, ""},     // two keys
      {"Ctrl+F25", std::nullopt, ""},
      {"Ctrl+Alt+BB", std::nullopt, ""},
      {"Strg+Alt+B", std::nullopt, ""},
      {"Ctrl + Alt + B", std::nullopt, ""},
      {"Ctrl+Alt+B\n", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<Hotkey> read = ParseHotkey(c.text);
    EXPECT_EQ(read, c.key);
    if (read) EXPECT_EQ(HotkeyText(*read), c.written);
    // A policy or an import takes exactly the keys; no key is no value there.
    EXPECT_EQ(Accepts(*FindSetting("Hotkey Pause"), c.text), read && !read->Empty());
  }
}

TEST(HotkeyText, EveryKeyWithANameComesBackAsItself) {
  int named = 0;
  for (int code = 1; code < 256; ++code) {
    for (std::uint8_t modifiers : {Hotkey::kCtrl, static_cast<std::uint8_t>(Hotkey::kWin | Hotkey::kShift)}) {
      const Hotkey key{modifiers, static_cast<std::uint16_t>(code)};
      const std::string text = HotkeyText(key);
      if (text.empty()) continue;
      ++named;
      EXPECT_EQ(ParseHotkey(text), key) << text;
    }
  }
  EXPECT_EQ(named, 2 * (26 + 10 + 24 + 10 + 28));
}

// Which keys are registered as the conditions change, and each press heard only then.
TEST(GlobalKeysRule, EachKeyIsRegisteredOnlyWhileItsActionCanAct) {
  const struct {
    const char* state;
    KeyConditions now;
    std::set<int> registered;  // the ids: 1 Break Now, 2 Pause, 3 Postpone, 4 Skip
  } cases[] = {
      {"stopped", {false, false, false}, {}},
      {"reminding", {true, true, false}, {1, 2}},
      {"reminding, a policy sets start and stop", {true, false, false}, {1}},
      {"the break window is up", {true, true, true}, {1, 2, 3, 4}},
      {"the Options window is up", {true, true, true, true}, {}},
      {"stopped again", {false, false, false}, {}},
  };
  sim::SimDesktop desktop;
  Form window(desktop, "Main", FormStyle::FixedSingle, 1200, 1200);
  KeyConditions now;
  std::vector<KeyAction> acted;
  GlobalKeys keys(desktop.hotkeys, window,
                  {.conditions = [&] { return now; }, .act = [&](KeyAction a) { acted.push_back(a); }, .refusedChanged = {}});
  keys.SetKeys({kCtrlAltB, kWinShiftF9, kCtrlAltP, kCtrlAltS});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    now = c.now;
    keys.Refresh();
    std::set<int> ids;
    for (const auto& [owner, key] : desktop.hotkeys.registered) ids.insert(owner.second);
    EXPECT_EQ(ids, c.registered);
    acted.clear();
    for (Hotkey key : {kCtrlAltB, kWinShiftF9, kCtrlAltP, kCtrlAltS}) desktop.hotkeys.Press(key);
    EXPECT_EQ(acted.size(), c.registered.size());
  }
  // A key moved to another action is that one's at once; no key is nothing registered.
  now = {true, true, false};
  keys.SetKeys({kWinShiftF9, kCtrlAltB, {}, {}});
  EXPECT_EQ(desktop.hotkeys.registered.size(), 2u);
  acted.clear();
  desktop.hotkeys.Press(kCtrlAltB);
  EXPECT_EQ(acted, std::vector<KeyAction>{KeyAction::Pause});
  keys.Release();
  EXPECT_TRUE(desktop.hotkeys.registered.empty());
  keys.Refresh();  // released for good
  EXPECT_TRUE(desktop.hotkeys.registered.empty());
}

// The whole program: the keys stored, reminding on and guided breaks of a minute.
class HotkeysTest : public GuidedTest {
 protected:
  void StartWithKeys(std::map<std::string, std::string> more = {}) {
    more.insert({{"Break Length", "1"},
                 {"Hotkey Break Now", "Ctrl+Alt+B"},
                 {"Hotkey Pause", "Win+Shift+F9"},
                 {"Hotkey Postpone", "Ctrl+Alt+P"},
                 {"Hotkey Skip", "Ctrl+Alt+S"}});
    StartReminding("45", more);
  }
  bool Press(Hotkey key) { return desktop.PressKey(key); }
};

TEST_F(HotkeysTest, WithNoKeyChosenNothingIsRegisteredOrStored) {
  StartReminding("1", {{"Break Length", "1"}});
  desktop.RunFor(3 * kMinute);
  desktop.Close(form());
  EXPECT_EQ(desktop.hotkeys.registerCalls, 0);
  for (std::string_view name : kHotkeySettings) EXPECT_EQ(Stored(std::string(name)), "<absent>");
}

TEST_F(HotkeysTest, BreakNowAndPauseActWhileRemindingPostponeAndSkipWhileTheBreakIsUp) {
  StartWithKeys();
  EXPECT_FALSE(Press(kCtrlAltP));  // no break: not registered
  EXPECT_TRUE(Press(kWinShiftF9));
  EXPECT_TRUE(form().steering.Paused());
  EXPECT_TRUE(Press(kWinShiftF9));
  EXPECT_FALSE(form().steering.Paused());
  // Break Now: the reminders, then the break window; its keys postpone, then skip.
  AtEachBreak({[&](FormBreak&) { EXPECT_TRUE(Press(kCtrlAltP)); },
               [&](FormBreak&) { EXPECT_TRUE(Press(kCtrlAltS)); }});
  EXPECT_TRUE(Press(kCtrlAltB));
  desktop.RunFor(6 * kMinute);
  EXPECT_EQ(log.events, (Events{"postponed", "skipped"}));
  EXPECT_FALSE(Press(kCtrlAltS));  // the window is gone, and so is its key
  // Stopped: nothing is registered; at the end, nothing either.
  desktop.Click(form().PushButton3);
  EXPECT_TRUE(desktop.hotkeys.registered.empty());
  desktop.Click(form().PushButton3);
  EXPECT_EQ(desktop.hotkeys.registered.size(), 2u);
  desktop.Close(form());
  EXPECT_TRUE(desktop.hotkeys.registered.empty());
}

TEST_F(HotkeysTest, TheBreakSoonWindowTakesThePostponeAndSkipKeysWhileItIsUp) {
  StartWithKeys({{"Warn Before Break", "30"}});
  desktop.RunFor(44 * kMinute + 20 * kSecond);
  EXPECT_EQ(form().breaks.WarningWindow(), nullptr);
  EXPECT_FALSE(Press(kCtrlAltS));
  desktop.RunFor(20 * kSecond);
  ASSERT_NE(form().breaks.WarningWindow(), nullptr);
  EXPECT_TRUE(Press(kCtrlAltS));
  desktop.RunFor(2 * kSecond);
  EXPECT_EQ(form().breaks.WarningWindow(), nullptr);
  EXPECT_FALSE(Press(kCtrlAltP));  // gone with its window
  EXPECT_EQ(log.events, Events{"skipped"});
  EXPECT_EQ(CountCalls(desktop.player.calls, "loop on"), 0);  // no reminder for a break skipped ahead
}

TEST_F(HotkeysTest, WithoutPostponesAndSkipsTheirKeysStayUnregistered) {
  StartWithKeys({{"Skips A Day", "0"}});
  AtEachBreak({[&](FormBreak&) {
    EXPECT_FALSE(Press(kCtrlAltP));
    EXPECT_FALSE(Press(kCtrlAltS));
  }});
  EXPECT_TRUE(Press(kCtrlAltB));
  desktop.RunFor(2 * kMinute);
  EXPECT_EQ(log.events, Events{"taken"});
}

TEST_F(HotkeysTest, AKeyAnotherProgramHoldsAtStartIsNamedInTheTrayTipNeverInABox) {
  desktop.hotkeys.takenElsewhere = {kCtrlAltB, kWinShiftF9};
  StartWithKeys();
  EXPECT_EQ(form().cSysTray1.TrayTip(),
            "Periodic Respite Prompter Utility - keys used by another program: Ctrl+Alt+B, Win+Shift+F9");
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
  EXPECT_FALSE(Press(kCtrlAltB));
  // The other program lets go of one: it is taken up when reminding starts again.
  desktop.hotkeys.takenElsewhere = {kWinShiftF9};
  desktop.Click(form().PushButton3);
  desktop.Click(form().PushButton3);
  EXPECT_EQ(form().cSysTray1.TrayTip(),
            "Periodic Respite Prompter Utility - key used by another program: Win+Shift+F9");
  EXPECT_TRUE(Press(kCtrlAltB));
}

// The Options window: a key another program holds is told beside its box as soon as it is set,
// and OK stores nothing until every key is right.
TEST_F(HotkeysTest, AKeyAnotherProgramHoldsIsReportedBesideItsBoxAndNotStored) {
  StartWithKeys();
  desktop.hotkeys.takenElsewhere = {kCtrlAltO};
  const std::size_t writes = desktop.settings.writes.size();
  Later later(desktop, 500, [&] {
    FormOptions& w = *program->formOptions;
    EXPECT_TRUE(desktop.hotkeys.registered.empty());  // the boxes take the keys meanwhile
    EXPECT_EQ(w.Hotkey30.Text(), "Ctrl+Alt+B");
    EXPECT_EQ(w.Hotkey31.Text(), "Win+Shift+F9");
    EXPECT_EQ(w.Label34.Text(), "");  // this program's own
    desktop.Type(w.Hotkey32, "Ctrl+Alt+O");
    EXPECT_EQ(w.Label36.Text(), "Used by another program");
    desktop.Type(w.Hotkey33, "Ctrl+Alt+B");
    EXPECT_EQ(w.Label37.Text(), "Already chosen above");
    desktop.Click(w.PushButton1);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(desktop.settings.writes.size(), writes);
    desktop.Type(w.Hotkey32, "Ctrl+Alt+Q");
    desktop.Type(w.Hotkey33, "");
    EXPECT_EQ(w.Label36.Text() + w.Label37.Text(), "");
    desktop.Click(w.PushButton1);
  });
  desktop.Run([&] { form().UserSystemMenu(0); });
  EXPECT_EQ(program->formOptions, nullptr);
  EXPECT_EQ(Stored("Hotkey Postpone"), "Ctrl+Alt+Q");
  EXPECT_EQ(Stored("Hotkey Skip"), "<absent>");
  EXPECT_EQ(Stored("Hotkey Break Now"), "Ctrl+Alt+B");
  EXPECT_TRUE(Press(kCtrlAltB));  // still this program's
}

}  // namespace
}  // namespace rp::test
