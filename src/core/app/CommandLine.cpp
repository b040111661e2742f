#include "app/CommandLine.h"

#include <cctype>

namespace rp {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// A whole number of minutes from 1 to the most a pause may last, digits only.
bool ParseMinutes(std::string_view text, int& minutes) {
  if (text.empty() || text.size() > 4) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxPauseMinutes) return false;
  minutes = value;
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (arguments.empty()) return line;
  const std::string name = Lower(arguments[0]);
  std::size_t used = 1;
  if (name == "/pause") {
    used = 2;
    const std::string length = arguments.size() > 1 ? Lower(arguments[1]) : "";
    if (length == "tomorrow") {
      line.command.kind = CommandKind::PauseUntilTomorrow;
    } else if (ParseMinutes(length, line.command.minutes)) {
      line.command.kind = CommandKind::Pause;
    } else {
      line.notUnderstood = arguments.size() > 1 ? arguments[0] + " " + arguments[1] : arguments[0];
      return line;
    }
  } else if (name == "/resume") {
    line.command.kind = CommandKind::Resume;
  } else if (name == "/break") {
    line.command.kind = CommandKind::Break;
  } else if (name == "/start") {
    line.command.kind = CommandKind::Start;
  } else if (name == "/stop") {
    line.command.kind = CommandKind::Stop;
  } else {
    line.notUnderstood = arguments[0];
    return line;
  }
  if (arguments.size() > used) {
    line.command = {};
    line.notUnderstood = arguments[used];
  }
  return line;
}

std::string CommandText(const Command& command) {
  switch (command.kind) {
    case CommandKind::Pause: return "/pause " + std::to_string(command.minutes);
    case CommandKind::PauseUntilTomorrow: return "/pause tomorrow";
    case CommandKind::Resume: return "/resume";
    case CommandKind::Break: return "/break";
    case CommandKind::Start: return "/start";
    case CommandKind::Stop: return "/stop";
    case CommandKind::None: break;
  }
  return "";
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t blank = text.find(' ', at);
    const std::size_t end = blank == std::string_view::npos ? text.size() : blank;
    if (end > at) arguments.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return arguments;
}

std::string CommandLineMessage(std::string_view notUnderstood) {
  return "The command line was not understood at \"" + std::string(notUnderstood) +
         "\". Nothing was changed.\r\n\r\n"
         "The program accepts one of these:\r\n"
         "/pause MINUTES  (pause reminders for 1 to 1440 minutes)\r\n"
         "/pause tomorrow  (pause reminders until 06:00)\r\n"
         "/resume  (resume reminders)\r\n"
         "/break  (take a break now)\r\n"
         "/start  (start reminding)\r\n"
         "/stop  (stop reminding)";
}

}  // namespace rp
