#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// What a start of the program asks of it, or of the copy already running.
enum class CommandKind { None, Pause, PauseUntilTomorrow, Resume, Break, Start, Stop };

struct Command {
  CommandKind kind = CommandKind::None;  // None: a plain start
  int minutes = 0;                       // of a Pause
  bool operator==(const Command&) const = default;
};

inline constexpr int kMaxPauseMinutes = 24 * 60;

struct CommandLine {
  Command command;
  // The part that was not understood, as typed; empty when the whole line was.
  std::string notUnderstood;
};

// The arguments after the program's name: "/pause 30" (1 to 1440 minutes), "/pause tomorrow",
// "/resume", "/break", "/start" or "/stop", the switch and "tomorrow" in any case; nothing
// for a plain start. One command at a time.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// The command as arguments again: what a second start hands to the running copy.
std::string CommandText(const Command& command);
// Splits such a text at its blanks.
std::vector<std::string> SplitArguments(std::string_view text);
// The message for a command line that was not understood, naming the part and what is accepted.
std::string CommandLineMessage(std::string_view notUnderstood);

}  // namespace rp
