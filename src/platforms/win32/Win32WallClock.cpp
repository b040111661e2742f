#include "win32/Win32WallClock.h"

#include <windows.h>

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

std::string Win32WallClock::FormatShortDate(int year, int month, int day) {
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  wchar_t text[64];
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64)) return {};
  return Narrow(text);
}

}  // namespace rp::win32
