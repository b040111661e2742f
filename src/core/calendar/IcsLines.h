#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// The content lines of an iCalendar file (RFC 5545, section 3.1): NAME;PARAM=VALUE,...:VALUE,
// unfolded (a line that begins with a space or a tab goes on the one before it), with CRLF or
// LF line ends. Names and parameter names are in upper case; parameter values are unquoted.
struct IcsParameter {
  std::string name;
  std::vector<std::string> values;
};

struct IcsLine {
  std::string name;
  std::vector<IcsParameter> parameters;
  std::string value;
  // The first value of the parameter, or "" when the line has none.
  std::string_view Parameter(std::string_view name) const;
};

// Calls `line` for each content line in order; a line that cannot be read (no colon, no name,
// a parameter without "=", an open quote) is counted in the result and left out. A logical line
// longer than `maxLineBytes` is left out as well.
std::size_t ForEachIcsLine(std::string_view text, std::size_t maxLineBytes,
                           const std::function<void(const IcsLine&)>& line);

// One unfolded line read; false when it cannot be.
bool ParseIcsLine(std::string_view text, IcsLine& line);

// A TEXT value with its escapes read: "\\" "\;" "\," "\n" "\N" (RFC 5545, section 3.3.11).
std::string UnescapeText(std::string_view value);

// The value split at the commas that are not escaped (a list of dates, of rule parts).
std::vector<std::string_view> SplitList(std::string_view value, char separator = ',');

}  // namespace rp
