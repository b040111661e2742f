#pragma once
#include <string_view>

namespace rp {

// The text without the spaces, tabs and carriage returns at either end, as the program's own
// line-by-line files (skins, the user's exercises) are read.
inline std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace rp
