#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "countdown/Steering.h"
#include "ports/Dialogs.h"
#include "ports/Files.h"
#include "ports/Settings.h"
#include "ports/Translations.h"
#include "settings/HotkeyText.h"
#include "runtime/Translation.h"

namespace rp {

// What a start of the program asks of it, or of the copy already running; the tray icon's menu
// asks for the same, and for Open and Exit besides; the "Break Soon" window and the keys of the
// "Keyboard" group for a break now, a pause, or for postponing or skipping the guided break.
enum class CommandKind {
  None, Pause, PauseUntilTomorrow, Resume, Break, Start, Stop, ExportSettings, ImportSettings, Open, Exit,
  PostponeBreak, SkipBreak
};

struct Command {
  Command() = default;
  Command(CommandKind kind, int minutes = 0, std::string file = {}) : kind(kind), minutes(minutes), file(std::move(file)) {}

  CommandKind kind = CommandKind::None;  // None: a plain start
  int minutes = 0;                       // of a Pause
  std::string file;                      // of an export or an import
  bool operator==(const Command&) const = default;
};

// What follows a switch on the command line.
enum class SwitchArgument {
  None,
  Minutes,  // 1 to kMaxPauseMinutes, or "tomorrow"
  File,     // a file's name
};

// One switch: its name (compared without case), what it asks for, what follows it, and its
// lines in the message that lists what the program accepts (shown through Tr).
struct SwitchDefinition {
  std::string_view name;
  CommandKind kind;
  SwitchArgument argument;
  std::string_view usage;
  std::string_view moreUsage = {};  // a second line, for a switch that takes two forms
};

inline constexpr SwitchDefinition kSwitches[] = {
    {"/pause", CommandKind::Pause, SwitchArgument::Minutes,
     // TRANSLATORS: the lines that list the command line's switches. A switch (/pause) and "tomorrow"
     // are typed as they are and stay English; MINUTES and FILE name what the user types after them.
     TrNoop("/pause MINUTES  (pause reminders for 1 to 1440 minutes)"),
     TrNoop("/pause tomorrow  (pause reminders until 06:00)")},
    {"/resume", CommandKind::Resume, SwitchArgument::None, TrNoop("/resume  (resume reminders)")},
    {"/break", CommandKind::Break, SwitchArgument::None, TrNoop("/break  (take a break now)")},
    {"/start", CommandKind::Start, SwitchArgument::None, TrNoop("/start  (start reminding)")},
    {"/stop", CommandKind::Stop, SwitchArgument::None, TrNoop("/stop  (stop reminding)")},
    {"/export-settings", CommandKind::ExportSettings, SwitchArgument::File,
     TrNoop("/export-settings FILE  (write your settings to a file)")},
    {"/import-settings", CommandKind::ImportSettings, SwitchArgument::File,
     TrNoop("/import-settings FILE  (take the settings in a file)")},
};

struct CommandLine {
  Command command;
  // The part that was not understood, as typed; empty when the whole line was.
  std::string notUnderstood;
};

// The arguments after the program's name: one switch of kSwitches with what follows it, the
// switch and "tomorrow" in any case; nothing for a plain start. One command at a time.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// A command a second start hands to the running copy as arguments again ("/pause 30"); "" for a
// plain start and for what runs without a window.
std::string CommandText(const Command& command);
// What a key of the "Keyboard" group asks for: its pause lasts 30 minutes, or ends one.
Command FromKey(KeyAction action, bool paused);
// Splits such a text at its blanks.
std::vector<std::string> SplitArguments(std::string_view text);
// The message for a command line that was not understood, naming the part and what is accepted.
std::string CommandLineMessage(std::string_view notUnderstood);

// True for what a start does alone, without a window and beside a running copy: telling a line
// that was not understood, an export, an import.
bool RunsWithoutWindow(const CommandLine& line);

struct CommandOutcome {
  int exitCode = 0;              // 0 done, 1 imported with lines left out, 2 nothing done
  bool settingsChanged = false;  // a running copy should take the stored settings into use
};

// Runs what RunsWithoutWindow names. A line not understood, a failure, or lines an import left
// out are told in one message box; success is silent.
CommandOutcome RunWithoutWindow(const CommandLine& line, SettingsStore& store, Files& files, Dialogs& dialogs,
                                Translations& translations);

}  // namespace rp
