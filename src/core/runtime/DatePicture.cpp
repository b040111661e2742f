#include "runtime/DatePicture.h"

#include <vector>

namespace rp {
namespace {

// A picture in parts: a field ("dd", "yyyy") or the text between two fields.
struct PicturePart {
  char field = 0;  // 'd', 'M', 'y' or 'g'; 0 for text
  std::string text;
};

bool IsField(char c) { return c == 'd' || c == 'M' || c == 'y' || c == 'g'; }

std::vector<PicturePart> Parts(std::string_view picture) {
  std::vector<PicturePart> parts;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    std::size_t end = i + 1;
    if (IsField(c)) {
      while (end < picture.size() && picture[end] == c) ++end;
      parts.push_back({c, std::string(picture.substr(i, end - i))});
      i = end;
      continue;
    }
    if (c == '\'') {  // to the closing quote; two quotes are one inside
      while (end < picture.size() && (picture[end] != '\'' || (end + 1 < picture.size() && picture[end + 1] == '\'')))
        end += picture[end] == '\'' ? 2 : 1;
      end = std::min(end + 1, picture.size());
    }
    if (parts.empty() || parts.back().field) parts.push_back({});
    parts.back().text += picture.substr(i, end - i);
    i = end;
  }
  return parts;
}

bool IsYear(const PicturePart& part) { return part.field == 'y' || part.field == 'g'; }
bool IsDay(const PicturePart& part) { return part.field == 'd' || part.field == 'M'; }

std::string Number(int value, std::size_t digits) {
  std::string text = std::to_string(value);
  return text.size() < digits ? std::string(digits - text.size(), '0') + text : text;
}

}  // namespace

std::string MonthDayPicture(std::string_view shortDate) {
  const std::vector<PicturePart> parts = Parts(shortDate);
  std::vector<PicturePart> kept;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!IsYear(parts[i])) {
      kept.push_back(parts[i]);
      continue;
    }
    bool dayFollows = false;
    for (std::size_t j = i + 1; j < parts.size(); ++j) dayFollows = dayFollows || IsDay(parts[j]);
    if (!dayFollows && !kept.empty() && !kept.back().field) {
      const bool dot = kept.back().text.starts_with('.');
      kept.pop_back();
      if (dot && !kept.empty()) kept.push_back({0, "."});
    }
    if (i + 1 < parts.size() && !parts[i + 1].field) ++i;  // what separates it from the next field
  }
  std::string picture;
  bool day = false;
  for (const PicturePart& part : kept) {
    picture += part.text;
    day = day || IsDay(part);
  }
  return day ? picture : "MM-dd";
}

std::string FormatDatePicture(std::string_view picture, const LocalDateTime& date) {
  std::string text;
  for (const PicturePart& part : Parts(picture)) {
    const std::size_t length = part.text.size();
    switch (part.field) {
      case 'd': text += Number(date.day, length > 1 ? 2 : 1); break;
      case 'M': text += Number(date.month, length > 1 ? 2 : 1); break;
      case 'y': text += length > 2 ? Number(date.year, 4) : Number(date.year % 100, length); break;
      case 'g': break;
      default:
        for (std::size_t i = 0; i < length; ++i) {
          if (part.text[i] != '\'') text += part.text[i];
          else if (i + 1 < length && part.text[i + 1] == '\'') text += part.text[++i];
        }
    }
  }
  return text;
}

}  // namespace rp
