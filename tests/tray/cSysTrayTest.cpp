#include <gtest/gtest.h>

#include <limits>

#include "TrayFixture.h"
#include "runtime/Failure.h"
#include "Later.h"
#include "sim/SimPicture.h"

namespace rp::test {
namespace {

using sim::SimNotifyCall;
constexpr const NotifyIconLayout& L = SimNotifyCall::layout;

// True when every byte past the identification (cbSize, hWnd, uID) is zero except in the
// given fields: [offset, offset + size).
bool OnlyTheseFieldsSet(const SimNotifyCall& call,
                        std::initializer_list<std::pair<std::size_t, std::size_t>> fields) {
  for (std::size_t i = L.uFlags; i < L.size; ++i) {
    bool inField = false;
    for (auto [at, size] : fields) inField |= i >= at && i < at + size;
    if (!inField && call.record[i] != 0) return false;
  }
  return call.U32(0) == L.size && call.record.size() == L.size;
}

class SysTrayTest : public TrayTest {};

TEST_F(SysTrayTest, StartUpAddsTheIconWithItsTipAndHooksTheControlWindow) {
  Start();
  ASSERT_EQ(shell().calls.size(), 1u);
  const SimNotifyCall& add = shell().calls[0];
  EXPECT_EQ(add.message, kNimAdd);
  EXPECT_EQ(add.hWnd(), TrayWindow());
  EXPECT_EQ(add.uID(), 0u);
  EXPECT_EQ(add.uFlags(), kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(add.uCallbackMessage(), 1125u);
  EXPECT_EQ(add.hIcon(), desktop.TrayIconPicture()->Handle());
  EXPECT_EQ(add.szTip(), "Periodic Respite Prompter Utility");
  EXPECT_TRUE(OnlyTheseFieldsSet(add, {{L.uFlags, 8}, {L.hIcon, L.handleBytes}, {L.szTip, 128}}));
  EXPECT_TRUE(tray().IconAdded());

  // The control's own window, a child of the main window, now runs the tray procedure first.
  auto& window = shell().Window(TrayWindow());
  EXPECT_EQ(window.parent, desktop.ViewOf(form())->Handle());
  EXPECT_EQ(window.wndProc, sim::SimShell::kTrayWndProcAddress);
  EXPECT_EQ(program->mSysTray.PrevWndProc, window.ownProc);
  EXPECT_EQ(window.userData, reinterpret_cast<std::intptr_t>(&tray()));
  EXPECT_EQ(tray().Width(), 510);
  EXPECT_EQ(tray().Height(), 510);
}

TEST_F(SysTrayTest, EachOperationSendsItsOwnRecord) {
  Start();
  const std::uint64_t hwnd = TrayWindow();
  auto blue = std::make_shared<sim::SimPicture>(0x4444);
  struct Case {
    const char* what;
    std::function<void()> operation;
    std::uint32_t message, flags;
    std::initializer_list<std::pair<std::size_t, std::size_t>> fields;
  } cases[] = {
      {"icon", [&] { tray().SetTrayIcon(blue); }, kNimModify, kNifIcon,
       {{L.uFlags, 4}, {L.hIcon, L.handleBytes}}},
      {"tip", [&] { tray().SetText("Half way"); }, kNimModify, kNifTip,
       {{L.uFlags, 4}, {L.szTip, 128}}},
      {"balloon", [&] { tray().ShowBalloon("Break!", "Title", 0); }, kNimModify, kNifInfo,
       {{L.uFlags, 4}, {L.szInfo, 256}, {L.szInfoTitle, 64}}},
      {"delete", [&] { tray().SetInTray(false); }, kNimDelete, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Mark();
    desktop.Run(c.operation);
    ASSERT_EQ(Calls().size(), 1u);
    const SimNotifyCall call = Calls()[0];
    EXPECT_EQ(call.message, c.message);
    EXPECT_EQ(call.hWnd(), hwnd);
    EXPECT_EQ(call.uFlags(), c.flags);
    EXPECT_TRUE(OnlyTheseFieldsSet(call, c.fields));
    EXPECT_TRUE(call.answer) << "the shell knew the icon";
  }
  EXPECT_EQ(shell().calls[1].hIcon(), 0x4444u);
  EXPECT_EQ(shell().calls[2].szTip(), "Half way");
  EXPECT_EQ(shell().calls[3].szInfo(), "Break!");
  EXPECT_EQ(shell().calls[3].szInfoTitle(), "Title");
  EXPECT_EQ(tray().TrayIcon(), blue);
  EXPECT_EQ(tray().TrayTip(), "Half way");
  EXPECT_TRUE(shell().icons.empty());
}

TEST_F(SysTrayTest, TextsAreCutAndSentInTheAnsiCodePage) {
  Start();
  Mark();
  std::string tip;
  for (int i = 0; i < 200; ++i) tip += "\xC3\xA9";  // 200 times é, 400 bytes of UTF-8
  tray().SetTrayTip(tip);
  tray().ShowBalloon(std::string(300, 'b'), "Pause caf\xC3\xA9 \xE2\x82\xAC" "5 \xE4\xB8\xAD" + std::string(80, 't'), 0);
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].szTip(), std::string(127, '\xE9'));
  EXPECT_EQ(Calls()[1].szInfo(), std::string(255, 'b'));
  EXPECT_EQ(Calls()[1].szInfoTitle(), "Pause caf\xE9 \x80" "5 ?" + std::string(48, 't'));
  EXPECT_EQ(tray().TrayTip(), tip);  // the control keeps the whole text
}

TEST_F(SysTrayTest, SettingInTrayToItsValueDoesNothing) {
  Start();
  const auto procBefore = program->mSysTray.PrevWndProc;
  Mark();
  tray().SetInTray(true);
  EXPECT_TRUE(Calls().empty());
  // Hooking twice would make the tray procedure its own predecessor.
  EXPECT_EQ(program->mSysTray.PrevWndProc, procBefore);

  tray().SetInTray(false);
  tray().SetInTray(false);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].message, kNimDelete);
  EXPECT_EQ(shell().Window(TrayWindow()).wndProc, shell().Window(TrayWindow()).ownProc);
}

TEST_F(SysTrayTest, InAFormDesignerInTrayIsOnlyStored) {
  shell().userMode = false;
  Start();
  EXPECT_TRUE(tray().InTray());
  EXPECT_FALSE(tray().IconAdded());
  EXPECT_TRUE(shell().calls.empty());
  auto& window = shell().Window(TrayWindow());
  EXPECT_EQ(window.wndProc, window.ownProc);
  EXPECT_EQ(window.userData, 0);

  tray().SetTrayTip("Designer tip");
  tray().SetInTray(false);
  EXPECT_FALSE(tray().InTray());
  EXPECT_TRUE(shell().calls.empty());
}

TEST_F(SysTrayTest, EmptyTipsOnAddAndOnChange) {
  Start();
  tray().SetInTray(false);
  tray().SetTrayTip("");
  Mark();
  tray().SetInTray(true);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].message, kNimAdd);
  EXPECT_EQ(Calls()[0].uFlags(), kNifMessage | kNifIcon);  // no tip flag for an empty tip
  EXPECT_EQ(Calls()[0].szTip(), "");

  tray().SetTrayTip("Something");
  Mark();
  tray().SetTrayTip("");  // a shown icon loses its tip
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].uFlags(), kNifTip);
  EXPECT_EQ(Calls()[0].szTip(), "");
}

TEST_F(SysTrayTest, AnIconPictureOfAnotherKindIsIgnored) {
  struct Cursorish : Picture {
    int Type() const override { return 4; }
    std::uintptr_t Handle() const override { return 0x999; }
  };
  Start();
  const auto before = tray().TrayIcon();
  Mark();
  tray().SetTrayIcon(std::make_shared<Cursorish>());
  tray().SetTrayIcon(nullptr);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(tray().TrayIcon(), before);
}

TEST_F(SysTrayTest, ShowOnceShowsOnlyTheFirstTime) {
  Start();
  Mark();
  desktop.Run([&] { tray().ShowBalloon("Notice", "Title", 5, true); });
  EXPECT_EQ(tray().ShowOnceCount(), 1);
  const auto sent = Calls().size();
  const auto now = desktop.NowMs();
  desktop.Run([&] { tray().ShowBalloon("Notice", "Title", 5, true); });
  EXPECT_EQ(Calls().size(), sent);  // nothing sent
  EXPECT_EQ(desktop.NowMs(), now);  // and no wait
  desktop.Run([&] { tray().ShowBalloon("Break!", "Title", 0); });
  desktop.Run([&] { tray().ShowBalloon("Break!", "Title", 0); });
  EXPECT_EQ(Calls().size(), sent + 2);  // without ShowOnce it always shows
  EXPECT_EQ(tray().ShowOnceCount(), 1);
}

TEST_F(SysTrayTest, NoTimerMeansNoWaitAndTheShellsOwnTimeOut) {
  Start();
  for (std::int32_t timer : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
    SCOPED_TRACE(timer);
    Mark();
    const auto now = desktop.NowMs();
    const auto waits = desktop.waitCount;
    desktop.Run([&] { tray().ShowBalloon("Break!", "Title", timer); });
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].uTimeout(), 0u);
    EXPECT_EQ(desktop.NowMs(), now);
    EXPECT_EQ(desktop.waitCount, waits);
    EXPECT_TRUE(tray().BalloonUp());
  }
}

TEST_F(SysTrayTest, ABalloonNotificationEndsTheWaitAtOnceWithoutClearing) {
  Start();
  for (std::int32_t notification : {1027, 1028, 1029}) {
    SCOPED_TRACE(notification);
    Mark();
    const auto start = desktop.NowMs();
    Later click(desktop, 2000, [&] { shell().PostTrayMessage(TrayWindow(), notification); });
    desktop.Run([&] { tray().ShowBalloon("Break!", "Title", 30); });
    EXPECT_EQ(desktop.NowMs() - start, 2000);
    ASSERT_EQ(Calls().size(), 1u);  // the balloon, and no clearing message
    EXPECT_EQ(Calls()[0].uTimeout(), 30000u);
    EXPECT_FALSE(tray().BalloonUp());
  }
}

TEST_F(SysTrayTest, RunningOutOfTimeTakesTheBalloonDown) {
  Start();
  Mark();
  // The balloon appearing is no reason to stop waiting.
  Later shown(desktop, 1000, [&] { shell().PostTrayMessage(TrayWindow(), 1026); });
  const auto start = desktop.NowMs();
  const auto waits = desktop.waitCount;
  desktop.Run([&] { tray().ShowBalloon("Break!", "Title", 30); });
  EXPECT_EQ(desktop.NowMs() - start, 30000);
  EXPECT_LE(desktop.waitCount - waits, 3u) << "the wait sleeps; it does not spin";
  ASSERT_EQ(Calls().size(), 2u);
  const SimNotifyCall clear = Calls()[1];  // a copy: Calls() returns a temporary
  EXPECT_EQ(clear.message, kNimModify);
  EXPECT_EQ(clear.uFlags(), kNifInfo);
  EXPECT_EQ(clear.szInfo(), "");
  EXPECT_EQ(clear.szInfoTitle(), "");
  EXPECT_EQ(clear.uTimeout(), 30000u);
  EXPECT_TRUE(tray().BalloonUp());
}

TEST_F(SysTrayTest, ATimerTooLongForMillisecondsIsAnOverflowBeforeAnythingIsSent) {
  Start();
  Mark();
  try {
    tray().ShowBalloon("Break!", "Title", 2147484);
    ADD_FAILURE() << "no failure";
  } catch (const Failure& f) {
    EXPECT_STREQ(f.what(), "Overflow");
  }
  EXPECT_TRUE(Calls().empty());
  EXPECT_FALSE(tray().BalloonUp());

  desktop.Run([&] { tray().ShowBalloon("Break!", "Title", 2147483); });  // the largest that fits
  EXPECT_EQ(Calls().at(0).uTimeout(), 2147483000u);
}

TEST_F(SysTrayTest, ShellMessagesBecomeEventsAndEveryMessageIsPassedOn) {
  Start();
  std::vector<std::string> events;
  tray().MouseMove = [&](std::int32_t id) { events.push_back("move " + std::to_string(id)); };
  auto record = [&](const char* name) {
    return [&events, name](int button, std::int32_t id) {
      events.push_back(std::string(name) + " " + std::to_string(button) + " " + std::to_string(id));
    };
  };
  tray().MouseDown = record("down");
  tray().MouseUp = record("up");
  tray().MouseDblClick = record("dbl");
  const struct {
    std::int32_t message;
    const char* event;  // "" for none
  } cases[] = {
      {512, "move 0"}, {513, "down 1 0"}, {514, "up 1 0"},   {515, "dbl 1 0"},
      {516, "down 2 0"}, {517, "up 2 0"}, {518, "dbl 2 0"},  {519, ""},  // middle button
      {520, ""},       {521, ""},         {1024, ""},        {1026, ""},  // balloon shown
      {0x7B, ""},      {-1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    events.clear();
    OnIcon(c.message);
    EXPECT_EQ(events, c.event[0] ? std::vector<std::string>{c.event} : std::vector<std::string>{});
    EXPECT_EQ(shell().Window(TrayWindow()).reachedOwnProc.back(),
              (sim::SimMessage{1125, 0, c.message}));
  }
  // A second icon identifier comes through as the event's Id.
  events.clear();
  shell().PostTrayMessage(TrayWindow(), 513, 7);
  desktop.RunFor(0);
  EXPECT_EQ(events, std::vector<std::string>{"down 1 7"});

  // Any other message reaches the window's own procedure untouched and raises nothing.
  events.clear();
  shell().PostMessage(TrayWindow(), 0x0113, 5, 0x1234);
  desktop.RunFor(0);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(shell().Window(TrayWindow()).reachedOwnProc.back(), (sim::SimMessage{0x0113, 5, 0x1234}));
  EXPECT_TRUE(shell().strayCalls.empty());

  // Unhooked, the callback no longer reaches the control.
  tray().SetInTray(false);
  OnIcon(514);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(shell().Window(TrayWindow()).reachedOwnProc.back(), (sim::SimMessage{1125, 0, 514}));
}

TEST_F(SysTrayTest, StoredPropertiesAreReadInOrderAndWrittenBack) {
  Start();
  tray().SetInTray(false);  // one hooked control at a time
  Mark();
  auto picture = std::make_shared<sim::SimPicture>(0x5555);
  {
    cSysTray second({program->mSysTray, desktop.shell, desktop, desktop}, form(), "cSysTray2", {true, picture, "Stored tip"});
    second.SetTrayTip("Stored tip");  // its first use creates it from what was stored
    // A stored InTray True adds the icon first, then modifies its icon and tip.
    ASSERT_EQ(Calls().size(), 4u);
    EXPECT_EQ(Calls()[0].message, kNimAdd);
    EXPECT_EQ(Calls()[0].uFlags(), kNifMessage);
    EXPECT_EQ(Calls()[1].uFlags(), kNifIcon);
    EXPECT_EQ(Calls()[1].hIcon(), 0x5555u);
    EXPECT_EQ(Calls()[2].uFlags(), kNifTip);
    EXPECT_EQ(Calls()[2].szTip(), "Stored tip");

    TrayProperties bag;
    second.UserControl_WriteProperties(bag);
    EXPECT_EQ(bag.InTray, true);
    EXPECT_EQ(bag.TrayIcon, picture);
    EXPECT_EQ(bag.TrayTip, "Stored tip");

    TrayProperties empty;  // what is missing takes its default
    tray().UserControl_ReadProperties(empty);
    EXPECT_EQ(tray().TrayTip(), "Telnet Server");
    EXPECT_FALSE(tray().InTray());
    Mark();
  }
  // Going away takes the icon out of the tray and the hook off the window.
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].message, kNimDelete);
  EXPECT_TRUE(shell().icons.empty());
}

TEST_F(SysTrayTest, TheProgramGoingAwayRemovesTheIconAndUnhooksFirst) {
  Start();
  const auto hwnd = TrayWindow();
  program.reset();
  ASSERT_FALSE(shell().calls.empty());
  EXPECT_EQ(shell().calls.back().message, kNimDelete);
  EXPECT_EQ(shell().Window(hwnd).wndProc, shell().Window(hwnd).ownProc);
  EXPECT_TRUE(shell().Window(hwnd).destroyed);
}

}  // namespace
}  // namespace rp::test
