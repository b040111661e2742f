#include "calendar/IcsLines.h"

namespace rp {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// RFC 5545's name: letters, digits and "-" (IANA and X- names alike).
bool NameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Reads a name at `pos` in upper case; empty when there is none.
std::string ReadName(std::string_view text, std::size_t& pos) {
  std::string name;
  while (pos < text.size() && NameChar(text[pos])) name += Upper(text[pos++]);
  return name;
}

}  // namespace

std::string_view IcsLine::Parameter(std::string_view wanted) const {
  for (const IcsParameter& p : parameters)
    if (p.name == wanted) return p.values.empty() ? std::string_view() : std::string_view(p.values.front());
  return {};
}

bool ParseIcsLine(std::string_view text, IcsLine& line) {
  line.parameters.clear();
  std::size_t pos = 0;
  line.name = ReadName(text, pos);
  if (line.name.empty()) return false;
  while (pos < text.size() && text[pos] == ';') {
    ++pos;
    IcsParameter parameter;
    parameter.name = ReadName(text, pos);
    if (parameter.name.empty() || pos >= text.size() || text[pos] != '=') return false;
    do {
      ++pos;  // past "=" or ","
      std::string value;
      if (pos < text.size() && text[pos] == '"') {
        const std::size_t close = text.find('"', pos + 1);
        if (close == std::string_view::npos) return false;
        value = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
      } else {
        while (pos < text.size() && text[pos] != ';' && text[pos] != ':' && text[pos] != ',' && text[pos] != '"')
          value += text[pos++];
      }
      parameter.values.push_back(std::move(value));
    } while (pos < text.size() && text[pos] == ',');
    line.parameters.push_back(std::move(parameter));
  }
  if (pos >= text.size() || text[pos] != ':') return false;
  line.value = text.substr(pos + 1);
  return true;
}

std::size_t ForEachIcsLine(std::string_view text, std::size_t maxLineBytes,
                           const std::function<void(const IcsLine&)>& visit) {
  std::size_t unreadable = 0;
  std::string logical;
  bool open = false, tooLong = false;
  IcsLine line;
  const auto finish = [&] {
    if (!open) return;
    if (tooLong || !ParseIcsLine(logical, line)) {
      ++unreadable;
    } else {
      visit(line);
    }
    logical.clear();
    open = tooLong = false;
  };
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view physical = text.substr(0, end);
    if (end == std::string_view::npos) {
      text = {};
    } else {
      const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      text.remove_prefix(end + (crlf ? 2 : 1));
    }
    if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
      if (!open) continue;  // a continuation of nothing
      physical.remove_prefix(1);
    } else {
      finish();
      if (physical.empty()) continue;
      open = true;
    }
    if (logical.size() + physical.size() > maxLineBytes) {
      tooLong = true;
      logical.clear();
    } else if (!tooLong) {
      logical.append(physical);
    }
  }
  finish();
  return unreadable;
}

std::string UnescapeText(std::string_view value) {
  std::string text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    const char next = value[++i];
    text += next == 'n' || next == 'N' ? '\n' : next;
  }
  return text;
}

std::vector<std::string_view> SplitList(std::string_view value, char separator) {
  std::vector<std::string_view> items;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    if (i + 1 < value.size() && value[i] == '\\') {
      ++i;
      continue;
    }
    if (i == value.size() || value[i] == separator) {
      items.push_back(value.substr(begin, i - begin));
      begin = i + 1;
    }
  }
  return items;
}

}  // namespace rp
