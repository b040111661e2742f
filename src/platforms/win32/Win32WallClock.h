#pragma once
#include "ports/WallClock.h"

namespace rp::win32 {

// The local time and the user's time and date formats, from the system.
class Win32WallClock : public WallClock {
 public:
  LocalDateTime LocalNow() override;
  std::string FormatTimeOfDay(int hour, int minute) override;
  std::string FormatShortDate(int year, int month, int day) override;
  std::string FormatMonthAndDay(int year, int month, int day) override;
};

}  // namespace rp::win32
