#include "win32/Win32WallClock.h"

#include <windows.h>

#include "runtime/DatePicture.h"
#include "win32/Text.h"

namespace rp::win32 {

LocalDateTime Win32WallClock::LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string Win32WallClock::FormatTimeOfDay(int hour, int minute) {
  SYSTEMTIME time{};
  time.wYear = 2000;
  time.wMonth = time.wDay = 1;
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  wchar_t text[64];
  if (!GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 64)) return {};
  return Narrow(text);
}

namespace {

// The date in the user's locale, by the given picture or by `flags` alone.
std::string FormatDate(int year, int month, int day, DWORD flags, const wchar_t* picture) {
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  wchar_t text[64];
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, picture, text, 64)) return {};
  return Narrow(text);
}

}  // namespace

std::string Win32WallClock::FormatShortDate(int year, int month, int day) {
  return FormatDate(year, month, day, DATE_SHORTDATE, nullptr);
}

// Windows has no numeric form of a day without its year (its month-day form names the month:
// "26. November"), so the short date's picture is taken without the year.
std::string Win32WallClock::FormatMonthAndDay(int year, int month, int day) {
  wchar_t shortDate[80];
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, shortDate, 80)) return {};
  const std::wstring picture = Widen(MonthDayPicture(Narrow(shortDate)));
  return FormatDate(year, month, day, 0, picture.c_str());
}

}  // namespace rp::win32
