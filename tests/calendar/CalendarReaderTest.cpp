// The calendar reader on RFC 5545's own events (sections 3.6.1 and 4), their exceptions and
// moved occurrences, and on files that are partly or wholly unreadable.
#include <gtest/gtest.h>

#include <string>

#include "CalendarFixture.h"
#include "calendar/CalendarReader.h"
#include "calendar/IcsLines.h"
#include "sim/SimTimeZones.h"

namespace rp {
namespace {

using calendar_test::BusyText;
using calendar_test::Ics;
using calendar_test::kNewYork;
using calendar_test::Utc;

CalendarReading Read(const std::string& text, const char* now) {
  sim::SimTimeZones zones;
  return ReadCalendar(text, Utc(now), zones);
}

TEST(CalendarReader, TheEventsOfRfc5545AndWhichOfThemAreMeetings) {
  const std::string text = Ics({
      "BEGIN:VEVENT", "UID:19970901T130000Z-123401@example.com", "DTSTAMP:19970901T130000Z",
      "DTSTART:19970903T163000Z", "DTEND:19970903T190000Z", "SUMMARY:Annual Employee Review", "CLASS:PRIVATE",
      "CATEGORIES:BUSINESS,HUMAN RESOURCES", "END:VEVENT",
      // Free time, an all-day anniversary, a festival of whole days: none is a meeting.
      "BEGIN:VEVENT", "UID:19970901T130000Z-123402@example.com", "DTSTAMP:19970901T130000Z",
      "DTSTART:19970904T163000Z", "DTEND:19970905T010000Z", "SUMMARY:Laurel is in sensitivity awareness class.",
      "TRANSP:TRANSPARENT", "END:VEVENT",
      "BEGIN:VEVENT", "UID:19970901T130000Z-123403@example.com", "DTSTAMP:19970901T130000Z",
      "DTSTART;VALUE=DATE:19970905", "SUMMARY:Our Blissful Anniversary", "RRULE:FREQ=YEARLY", "END:VEVENT",
      "BEGIN:VEVENT", "UID:20070423T123432Z-541111@example.com", "DTSTART;VALUE=DATE:19970908",
      "DTEND;VALUE=DATE:19970909", "SUMMARY:Festival International de Jazz de Montreal", "END:VEVENT",
      // Cancelled.
      "BEGIN:VEVENT", "UID:c", "DTSTART:19970906T100000Z", "DTEND:19970906T110000Z", "STATUS:CANCELLED", "END:VEVENT",
  });
  const CalendarReading reading = Read(text, "19970901T000000Z");
  EXPECT_TRUE(reading.calendar);
  EXPECT_EQ(BusyText(reading), "19970903T163000Z-19970903T190000Z");
  EXPECT_EQ(reading.meetingsThisWeek, 1);
  EXPECT_EQ(reading.leftOut, 0u);
}

TEST(CalendarReader, TheExamplesOfSection4FoldedAndWithTheirZone) {
  // A conference of three days, its description folded and escaped.
  const std::string conference = Ics({
      "BEGIN:VEVENT", "DTSTAMP:19960704T120000Z", "UID:uid1@example.com", "ORGANIZER:mailto:jsmith@example.com",
      "DTSTART:19960918T143000Z", "DTEND:19960920T220000Z", "STATUS:CONFIRMED", "CATEGORIES:CONFERENCE",
      "SUMMARY:Networld+Interop Conference", "DESCRIPTION:Networld+Interop Conference",
      "  and Exhibit\\nAtlanta World Congress Center\\n", " Atlanta\\, Georgia", "END:VEVENT"});
  EXPECT_EQ(BusyText(Read(conference, "19960918T000000Z")), "19960918T143000Z-19960920T220000Z");
  // A meeting in New York, with a zone of two observances; before the first, the offset it
  // changes from (-0400) holds, as the RFC defines it.
  const std::string review = Ics({
      "BEGIN:VTIMEZONE", "TZID:America/New_York", "BEGIN:STANDARD", "DTSTART:19981025T020000", "TZOFFSETFROM:-0400",
      "TZOFFSETTO:-0500", "TZNAME:EST", "END:STANDARD", "BEGIN:DAYLIGHT", "DTSTART:19990404T020000",
      "TZOFFSETFROM:-0500", "TZOFFSETTO:-0400", "TZNAME:EDT", "END:DAYLIGHT", "END:VTIMEZONE",
      "BEGIN:VEVENT", "DTSTAMP:19980309T231000Z", "UID:guid-1.example.com",
      "ATTENDEE;RSVP=TRUE;ROLE=REQ-PARTICIPANT;CUTYPE=GROUP:", " mailto:employee-A@example.com",
      "DTSTART;TZID=America/New_York:19981112T083000", "DTEND;TZID=America/New_York:19981112T093000",
      "LOCATION:1CP Conference Room 4350", "END:VEVENT"});
  EXPECT_EQ(BusyText(Read(review, "19981110T000000Z")), "19981112T133000Z-19981112T143000Z");
}

TEST(CalendarReader, FoldedLinesEscapedTextAndLineEnds) {
  std::vector<std::string> values;
  const auto collect = [&](const IcsLine& line) { values.push_back(line.name + "=" + UnescapeText(line.value)); };
  EXPECT_EQ(ForEachIcsLine("DESCRIPTION:This is a lo\r\n ng description\r\n  that exists on a long line.\r\n", 1000,
                           collect),
            0u);
  EXPECT_EQ(ForEachIcsLine("summary;LANGUAGE=en:a\\, b\\; c\\\\d\\ne\n\tf\nX-A;X-P=\"q;:,\":v\n", 1000, collect), 0u);
  EXPECT_EQ(values, (std::vector<std::string>{"DESCRIPTION=This is a long description that exists on a long line.",
                                              "SUMMARY=a, b; c\\d\nef", "X-A=v"}));
  // The same meeting with CRLF, LF and folds in the middle of its times.
  for (const char* end : {"\r\n", "\n"}) {
    const std::string text = Ics({"BEGIN:VEVENT", "DTSTART:2026120", " 9T100000Z", "DTEND:20261209T1", "\t03000Z",
                                  "END:VEVENT"},
                                 end);
    EXPECT_EQ(BusyText(Read(text, "20261208T000000Z")), "20261209T100000Z-20261209T103000Z");
  }
}

TEST(CalendarReader, ExceptionsAndMovedOccurrences) {
  const std::string text = Ics({
      kNewYork,
      // A daily stand-up at 09:00 New York, but not on the 10th, moved on the 11th to 11:00 and
      // cancelled on the 14th.
      "BEGIN:VEVENT", "UID:standup", "DTSTART;TZID=America/New_York:20261207T090000", "DURATION:PT15M",
      "RRULE:FREQ=DAILY;COUNT=8", "EXDATE;TZID=America/New_York:20261210T090000", "END:VEVENT",
      "BEGIN:VEVENT", "UID:standup", "RECURRENCE-ID;TZID=America/New_York:20261211T090000",
      "DTSTART;TZID=America/New_York:20261211T110000", "DTEND;TZID=America/New_York:20261211T113000", "END:VEVENT",
      "BEGIN:VEVENT", "UID:standup", "RECURRENCE-ID:20261214T140000Z", "DTSTART:20261214T140000Z",
      "STATUS:CANCELLED", "END:VEVENT",
      // A moved occurrence that keeps the series' length.
      "BEGIN:VEVENT", "UID:standup", "RECURRENCE-ID;TZID=America/New_York:20261212T090000",
      "DTSTART;TZID=America/New_York:20261212T080000", "END:VEVENT"});
  EXPECT_EQ(BusyText(Read(text, "20261208T000000Z")),
            "20261208T140000Z-20261208T141500Z 20261209T140000Z-20261209T141500Z 20261211T160000Z-20261211T163000Z "
            "20261212T130000Z-20261212T131500Z 20261213T140000Z-20261213T141500Z");
}

TEST(CalendarReader, TheNext14DaysOnlyMergedAndCounted) {
  const std::string text = Ics({
      // Back to back and overlapping: one busy time, three meetings.
      "BEGIN:VEVENT", "DTSTART:20261208T100000Z", "DTEND:20261208T110000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261208T110000Z", "DTEND:20261208T113000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261208T112000Z", "DURATION:PT40M", "END:VEVENT",
      // The same meeting twice counts once; one under way now counts; one after 7 days is busy,
      // but not counted; one past 14 days and one ended are neither.
      "BEGIN:VEVENT", "DTSTART:20261209T100000Z", "DTEND:20261209T110000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261209T100000Z", "DTEND:20261209T110000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261208T080000Z", "DTEND:20261208T093000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261216T100000Z", "DTEND:20261216T110000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261222T100000Z", "DTEND:20261222T110000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261208T070000Z", "DTEND:20261208T080000Z", "END:VEVENT",
      // A weekly meeting since 2020 without an end: only its next two.
      "BEGIN:VEVENT", "DTSTART:20200101T150000Z", "DTEND:20200101T160000Z", "RRULE:FREQ=WEEKLY", "END:VEVENT"});
  const CalendarReading reading = Read(text, "20261208T090000Z");
  EXPECT_EQ(BusyText(reading),
            "20261208T080000Z-20261208T093000Z 20261208T100000Z-20261208T120000Z 20261209T100000Z-20261209T110000Z "
            "20261209T150000Z-20261209T160000Z 20261216T100000Z-20261216T110000Z 20261216T150000Z-20261216T160000Z");
  EXPECT_EQ(reading.meetingsThisWeek, 6);
}

TEST(CalendarReader, WhatCannotBeReadIsLeftOutAndTheRestUsed) {
  const std::string text = Ics({
      "this line has no colon", ";X=1:no name", "X-A;P:no equals", "X-B;P=\"open:quote",
      "BEGIN:VEVENT", "DTSTART:20261209T100000Z", "DTEND:20261209T110000Z", "RRULE:FREQ=SECONDLY", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261309T100000Z", "DTEND:20261209T110000Z", "END:VEVENT",    // no such month
      "BEGIN:VEVENT", "DTSTART:20261210T100000Z", "DTEND:20261210T090000Z", "END:VEVENT",    // ends before it starts
      "BEGIN:VEVENT", "DTSTART:20261211T100000Z", "END:VEVENT",                              // no length
      "BEGIN:VEVENT", "DTSTART:20261212T100000Z", "DURATION:PT1H", "EXDATE:garbage,20261212T100000Z", "END:VEVENT",
      "BEGIN:VEVENT", "DTSTART:20261213T100000Z", "DURATION:PT1H", "BEGIN:VALARM", "TRIGGER:-PT15M",
      "DURATION:PT5M", "REPEAT:2", "END:VALARM", "END:VEVENT",
      "END:VTODO", "BEGIN:VTODO", "DTSTART:20261214T100000Z", "DURATION:PT1H", "END:VTODO",
      "BEGIN:VEVENT", "DTSTART:20261215T100000Z", "DURATION:PT1H"});  // never closed
  const CalendarReading reading = Read(text, "20261208T000000Z");
  EXPECT_EQ(BusyText(reading), "20261209T100000Z-20261209T110000Z 20261213T100000Z-20261213T110000Z");
  // 4 lines, the rule, the month and its event, "garbage", the END of nothing, the open event.
  EXPECT_EQ(reading.leftOut, 10u);
}

TEST(CalendarReader, NotACalendarATooLargeOneAndOneOfNothingButMeetings) {
  sim::SimTimeZones zones;
  const std::int64_t now = Utc("20261208T000000Z");
  for (const char* text : {"", "<html><body>Sign in</body></html>", "BEGIN:VEVENT\nDTSTART:20261209T100000Z\nEND:VEVENT\n",
                           "\xEF\xBB\xBF", "BEGIN:VCARD\r\nEND:VCARD\r\n"}) {
    const CalendarReading reading = ReadCalendar(text, now, zones);
    EXPECT_FALSE(reading.calendar) << text;
    EXPECT_TRUE(reading.busy.empty()) << text;
  }
  EXPECT_TRUE(ReadCalendar("\xEF\xBB\xBF" "BEGIN:VCALENDAR\nEND:VCALENDAR\n", now, zones).calendar);
  const std::string huge(kMaxCalendarBytes + 1, ' ');
  EXPECT_TRUE(ReadCalendar(huge, now, zones).tooLarge);
  // Thousands of meetings a day: the first kMaxMeetings are kept.
  std::string many = "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20261208T100000Z\nDURATION:PT1M\nRRULE:FREQ=DAILY\n";
  for (int i = 0; i < 1000; ++i) many += "RDATE:20261209T" + std::to_string(100000 + i % 60) + "Z\n";
  many += "END:VEVENT\n";
  for (int i = 0; i < 600; ++i) many += "BEGIN:VEVENT\nDTSTART:20261210T100000Z\nDTEND:20261210T100100Z\nRRULE:FREQ=DAILY\nEND:VEVENT\n";
  const CalendarReading full = ReadCalendar(many + "END:VCALENDAR\n", now, zones);
  EXPECT_EQ(full.busy.size(), 14u);
  EXPECT_GT(full.leftOut, 0u);
}

}  // namespace
}  // namespace rp
