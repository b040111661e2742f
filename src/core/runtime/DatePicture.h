#pragma once
#include <string>
#include <string_view>

#include "ports/WallClock.h"

namespace rp {

// Date pictures as the user's settings write them ("d.M.yyyy", "yyyy/MM/dd", "d.MM.yyyy 'г.'"):
// d the day, M the month, y the year, g the era, each repeated for a longer form; text in
// single quotes, and any other character, is written as it stands.

// The short date's picture for a day without its year: the year goes with what separates it
// from the day and the month, except for a dot after the number before it, which marks that
// number as the day or the month ("d.M.yyyy" gives "d.M.", as German writes "26.11.";
// "yyyy/M/d" gives "M/d"; "M/d/yyyy" gives "M/d").
std::string MonthDayPicture(std::string_view shortDate);
// A date written in a picture with numbers only (a picture that names the month or the weekday
// gets its number): the reading used where the system does not write it.
std::string FormatDatePicture(std::string_view picture, const LocalDateTime& date);

}  // namespace rp
