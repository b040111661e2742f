// What "Check" says beside the calendar's field, the texts of the meetings in every language,
// and the simulated fetching of files and addresses.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CalendarFixture.h"
#include "calendar/CalendarTexts.h"
#include "runtime/Catalog.h"
#include "runtime/Translation.h"
#include "settings/Languages.h"
#include "sim/SimDesktop.h"
#include "sim/SimFetcher.h"
#include "sim/SimTimeZones.h"

namespace rp {
namespace {

using calendar_test::Ics;
using calendar_test::Utc;

class CalendarCheck : public ::testing::Test {
 protected:
  ~CalendarCheck() override { SetCurrentCatalog(nullptr); }
  std::string Check(std::string_view location) {
    return CheckCalendar(fetcher.Fetch(location, kMaxCalendarBytes), Utc("20261208T080000Z"), zones).text;
  }
  void Speak(std::string_view tag) {
    auto catalog = Catalog::Parse(desktop.TranslationCatalog(tag), std::string(tag));
    ASSERT_TRUE(catalog) << tag;
    SetCurrentCatalog(std::make_shared<const Catalog>(std::move(*catalog)));
  }

  sim::SimDesktop desktop;
  sim::SimFetcher& fetcher = desktop.fetcher;
  sim::SimTimeZones& zones = desktop.zones;
};

TEST_F(CalendarCheck, SaysHowManyMeetingsOrWhatWentWrong) {
  const std::string week = Ics({"BEGIN:VEVENT", "DTSTART:20261208T100000Z", "DURATION:PT1H", "RRULE:FREQ=DAILY;COUNT=3",
                                "END:VEVENT", "BEGIN:VEVENT", "DTSTART:20261209T110000Z", "DURATION:PT1H", "END:VEVENT"});
  desktop.files.Add("C:\\Users\\Ann\\OneDrive\\work.ics", {week});
  desktop.files.Add("C:\\Users\\Ann\\page.html", {"<html>Sign in</html>"});
  desktop.files.Add("C:\\Users\\Ann\\locked.ics", {week, false, false, false, true});
  fetcher.Serve("https://calendar.example/private-abc/basic.ics", week);
  fetcher.Serve("http://127.0.0.1:8080/gone.ics", "Not Found", 404);
  fetcher.Serve("http://127.0.0.1:8080/one.ics", Ics({"BEGIN:VEVENT", "DTSTART:20261208T100000Z", "DURATION:PT1H", "END:VEVENT"}));
  fetcher.Serve("http://127.0.0.1:8080/huge.ics", std::string(kMaxCalendarBytes + 1, 'x'));
  fetcher.Fail("https://slow.example/cal.ics", FetchOutcome::TimedOut);
  const struct {
    const char* location;
    const char* says;
  } cases[] = {
      {"C:\\Users\\%USERNAME%\\OneDrive\\work.ics", "4 meetings in the next 7 days"},
      {"HTTPS://calendar.example/private-abc/basic.ics", "The address could not be reached"},  // not served so
      {"https://calendar.example/private-abc/basic.ics", "4 meetings in the next 7 days"},
      {"http://127.0.0.1:8080/one.ics", "1 meeting in the next 7 days"},
      {"http://127.0.0.1:8080/gone.ics", "The address answered 404"},
      {"http://127.0.0.1:8080/huge.ics", "The calendar is larger than 10 MB"},
      {"https://slow.example/cal.ics", "The address did not answer within 15 seconds"},
      {"C:\\Users\\Ann\\page.html", "Not a calendar file"},
      {"C:\\Users\\Ann\\locked.ics", "The file could not be read"},
      {"C:\\Users\\Ann\\missing.ics", "The file could not be read"},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c.location), c.says) << c.location;
  EXPECT_EQ(fetcher.lastLocation, "C:\\Users\\Ann\\missing.ics");
  const Fetched read = fetcher.Fetch("C:\\Users\\%USERNAME%\\OneDrive\\work.ics", kMaxCalendarBytes);
  const rp::CalendarCheck check = CheckCalendar(read, Utc("20261208T080000Z"), zones);
  EXPECT_TRUE(check.read);
  EXPECT_EQ(check.reading.busy.size(), 3u);  // the 9th's two meetings back to back
  EXPECT_EQ(CheckCalendar(fetcher.Fetch("C:\\Users\\Ann\\page.html", 10), 0, zones).text,
            "The calendar is larger than 10 MB");
  EXPECT_TRUE(IsWebAddress("hTTp://x") && !IsWebAddress("C:\\http://") && !IsWebAddress("https:/"));
}

TEST_F(CalendarCheck, TheMeetingsTextsInTheUsersTimeAndLanguage) {
  zones.localZone = "Europe/Berlin";
  const std::int64_t end = Utc("20261208T140000Z"), start = Utc("20260701T120000Z");
  EXPECT_EQ(InMeetingText(end, zones, desktop.clock), "In a meeting until 15:00");
  EXPECT_EQ(MovedBeforeMeetingText(start, zones, desktop.clock), "Break moved before your 14:00 meeting");
  EXPECT_EQ(MeetingsThisWeekText(12), "12 meetings in the next 7 days");
  EXPECT_EQ(CalendarNotReadText(), "calendar not read");
  Speak("de");
  EXPECT_EQ(InMeetingText(end, zones, desktop.clock), "In einer Besprechung bis 15:00");
  EXPECT_EQ(MeetingsThisWeekText(1), "1 Besprechung in den nächsten 7 Tagen");
  Speak("ru");
  EXPECT_EQ(MeetingsThisWeekText(1), "1 собрание в ближайшие 7 дней");
  EXPECT_EQ(MeetingsThisWeekText(3), "3 собрания в ближайшие 7 дней");
  EXPECT_EQ(MeetingsThisWeekText(12), "12 собраний в ближайшие 7 дней");
  // Every language has every text, with its value in it.
  const Fetched status{FetchOutcome::Status, 404, {}};
  for (const LanguageChoice& language : kLanguages) {
    if (language.tag == kEnglish || language.tag == kSystemLanguage) continue;
    Speak(language.tag);
    for (const std::string& text : {InMeetingText(end, zones, desktop.clock), MovedBeforeMeetingText(end, zones, desktop.clock)})
      EXPECT_NE(text.find("15:00"), std::string::npos) << language.tag << ": " << text;
    EXPECT_NE(MeetingsThisWeekText(12).find("12"), std::string::npos) << language.tag;
    EXPECT_NE(CheckCalendar(status, 0, zones).text.find("404"), std::string::npos) << language.tag;
    EXPECT_NE(CalendarNotReadText(), "calendar not read") << language.tag;
    EXPECT_NE(CheckCalendar({FetchOutcome::Read, 0, "x"}, 0, zones).text, "Not a calendar file") << language.tag;
  }
}

}  // namespace
}  // namespace rp
