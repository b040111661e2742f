#include <gtest/gtest.h>

#include <string>

#include "Later.h"
#include "breaks/GuidedFixture.h"
#include "calendar/CalendarFixture.h"
#include "calendar/CalendarWatch.h"
#include "options/FormOptions.h"

// What the user's calendar does to the breaks: a break due in a meeting waits for its end, one
// due just before a meeting comes early, and a calendar that stops answering keeps what it told.
namespace rp::test {
namespace {

using calendar_test::Ics;
constexpr char kFile[] = "C:\\Users\\Ann\\OneDrive\\work.ics";
constexpr char kAddress[] = "https://calendar.example.com/Ann.ics";
constexpr char kBusyFile[] = "C:\\Users\\Ann\\AppData\\Local\\Kelvadore\\Periodic Respite Prompter\\busy.csv";

std::string MeetingIcs(std::string_view start, std::string_view end) {
  return Ics({"BEGIN:VEVENT", "UID:1", "SUMMARY:Budget review with Bob",
              std::string("DTSTART:") + std::string(start), std::string("DTEND:") + std::string(end), "END:VEVENT"});
}

class CalendarBreaksTest : public GuidedTest {
 protected:
  // The wall clock at 2026-12-09 13:00 UTC (the user's zone), reminding every 45 minutes.
  void StartAt1300(std::map<std::string, std::string> options) {
    desktop.clock.Set({2026, 12, 9, 13, 0, 0});
    StartReminding("45", options);
  }
  int Reminders() { return CountCalls(desktop.player.calls, "loop on"); }
  std::string Tip() { return form().cSysTray1.TrayTip(); }
};

TEST_F(CalendarBreaksTest, ABreakDueInAMeetingWaitsForItsEndHoweverLong) {
  desktop.files.Add(kFile, {MeetingIcs("20261209T133000Z", "20261209T150000Z")});
  StartAt1300({{"Calendar", kFile}, {"Keep Statistics", "On"}, {"Tip Shows Time Left", "On"}});
  desktop.RunFor(46 * kMinute);
  EXPECT_EQ(Frame1(), "In a meeting until 15:00");
  // Only the busy times are kept: nothing of what the meeting was.
  EXPECT_EQ(desktop.files.Content(kBusyFile), "start_utc,end_utc\r\n2026-12-09 13:30,2026-12-09 15:00\r\n");
  EXPECT_EQ(Tip(), "Periodic Respite Prompter Utility - In a meeting until 15:00");
  desktop.RunFor(73 * kMinute + 58 * kSecond);  // 14:59:58: longer than any other hold lasts
  EXPECT_EQ(Reminders(), 0);
  desktop.RunFor(3 * kSecond);
  EXPECT_EQ(Reminders(), 1);
  const auto& day = form().statistics.Kept()->record.Days().rbegin()->second;
  EXPECT_EQ(day.held, 1);
  EXPECT_GE(day.heldSeconds, 73 * 60);
}

TEST_F(CalendarBreaksTest, AGuidedBreakDueJustBeforeAMeetingEndsAsItStarts) {
  const struct {
    const char* what;
    const char* meeting;  // starts; an hour long
    int breakMinutes;
    std::int64_t firstReminderMs;  // from 13:00
  } cases[] = {
      {"moved to end at 13:48", "20261209T134800Z", 5, 43 * kMinute},
      {"already over before the meeting", "20261209T135200Z", 5, 45 * kMinute},
      {"more than 10 minutes before it", "20261209T135800Z", 5, 45 * kMinute},
      {"no guided break: nothing to move", "20261209T134800Z", 0, 45 * kMinute},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    desktop.player.calls.clear();
    desktop.files.Add(kFile, {MeetingIcs(c.meeting, "20261209T160000Z")});
    StartAt1300({{"Calendar", kFile}, {"Break Length", std::to_string(c.breakMinutes)}});
    desktop.RunFor(c.firstReminderMs - 5 * kMinute);
    if (c.firstReminderMs != 45 * kMinute) EXPECT_EQ(Frame1(), "Break moved before your 13:48 meeting");
    desktop.RunFor(5 * kMinute - kSecond);
    EXPECT_EQ(Reminders(), 0);
    desktop.RunFor(2 * kSecond);
    EXPECT_EQ(Reminders(), 1);
  }
}

TEST_F(CalendarBreaksTest, ACalendarThatStopsAnsweringKeepsItsBusyTimesAndIsAskedAgainInAQuarter) {
  desktop.fetcher.Serve(kAddress, MeetingIcs("20261209T143000Z", "20261209T153000Z"));
  StartAt1300({{"Calendar", kAddress}, {"Tip Shows Time Left", "On"}});
  desktop.RunFor(kSecond);
  EXPECT_EQ(desktop.fetcher.fetches, 1);
  desktop.fetcher.Fail(kAddress, FetchOutcome::Unreachable);
  desktop.RunFor(16 * kMinute);
  EXPECT_EQ(desktop.fetcher.fetches, 2);  // once a quarter of an hour, never in a loop
  EXPECT_NE(Tip().find("calendar not read"), std::string::npos);
  desktop.RunFor(2 * 60 * kMinute);  // the break due at 14:30 waits for 15:30 all the same
  EXPECT_EQ(Reminders(), 1);
  EXPECT_EQ(desktop.fetcher.fetches, 10);

  // The next start knows the meetings before the address answers, and so offline.
  Restart();
  desktop.player.calls.clear();
  desktop.clock.Set({2026, 12, 9, 14, 40, 0});
  StartReminding("1", {{"Calendar", kAddress}});
  desktop.RunFor(2 * kMinute);
  EXPECT_EQ(Frame1(), "In a meeting until 15:30");
  EXPECT_EQ(Reminders(), 0);
}

TEST_F(CalendarBreaksTest, WithNoCalendarNothingIsReadOrStored) {
  desktop.files.Add(kFile, {MeetingIcs("20261209T133000Z", "20261209T150000Z")});
  StartAt1300({{"Keep Statistics", "Off"}});
  desktop.RunFor(50 * kMinute);
  EXPECT_EQ(Reminders(), 1);
  EXPECT_EQ(desktop.fetcher.fetches, 0);
  EXPECT_FALSE(desktop.files.ReadFile(kBusyFile).has_value());
  EXPECT_EQ(Stored("Calendar"), "<absent>");
}

// "Check" reads what is in the box at once and says what it found; OK stores the box.
TEST_F(CalendarBreaksTest, CheckSaysWhatTheCalendarHoldsOrWhatWentWrong) {
  desktop.files.Add(kFile, {MeetingIcs("20261210T090000Z", "20261210T100000Z")});
  desktop.files.Add("C:\\Users\\Ann\\page.html", {"<html>Sign in</html>"});
  desktop.fetcher.Serve("https://calendar.example.com/gone.ics", "", 404);
  StartAt1300({});
  const struct {
    const char* location;
    const char* said;
  } cases[] = {
      {"https://calendar.example.com/gone.ics", "The address answered 404"},
      {"C:\\Users\\Ann\\page.html", "Not a calendar file"},
      {kFile, "1 meeting in the next 7 days"},
  };
  std::vector<std::string> said;
  std::vector<std::unique_ptr<Later>> steps;
  int at = 300;
  for (const auto& c : cases) {
    steps.push_back(std::make_unique<Later>(desktop, at, [&, location = std::string(c.location)] {
      FormOptions& w = *program->formOptions;
      desktop.Type(w.Text50, "  " + location);
      desktop.Click(w.PushButton50);
    }));
    steps.push_back(std::make_unique<Later>(desktop, at + 200, [&] { said.push_back(program->formOptions->Label51.Text()); }));
    at += 500;
  }
  Later ok(desktop, at, [&] { desktop.Click(program->formOptions->PushButton1); });
  desktop.Run([&] { form().UserSystemMenu(0); });
  ASSERT_EQ(said.size(), std::size(cases));
  for (std::size_t i = 0; i < said.size(); ++i) EXPECT_EQ(said[i], cases[i].said) << cases[i].location;
  EXPECT_EQ(Stored("Calendar"), kFile);
  EXPECT_TRUE(form().calendar.On());
}

TEST(BusyTimes, ReadBackAsWrittenAndLeaveOutWhatIsNoTime) {
  const std::vector<Meeting> busy = {{calendar_test::Utc("20261209T133000Z"), calendar_test::Utc("20261209T150000Z")},
                                     {calendar_test::Utc("20261210T090000Z"), calendar_test::Utc("20261210T091500Z")}};
  EXPECT_EQ(ReadBusyTimes(WriteBusyTimes(busy)), busy);
  EXPECT_EQ(ReadBusyTimes("start_utc,end_utc\n2026-12-09 15:00,2026-12-09 13:30\ngarbage\n2026-13-01 10:00,2026-13-01 11:00\n"
                          "2026-12-10 09:00,2026-12-10 09:15"),
            std::vector<Meeting>{busy[1]});
}

}  // namespace
}  // namespace rp::test
