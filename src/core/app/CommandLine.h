#pragma once
#include <span>
#include <string>
#include <string_view>

#include "ports/Dialogs.h"
#include "ports/Files.h"
#include "ports/Settings.h"

namespace rp {

enum class CommandKind { Run, ExportSettings, ImportSettings, Invalid };

// What the command line asks for. Nothing asks for the usual start, as it always did.
struct Command {
  CommandKind kind = CommandKind::Run;
  std::string file;   // the switch's file
  std::string error;  // Invalid: what is wrong with the switches
};

// One switch: its name (compared without case) and whether a file name follows it.
struct SwitchDefinition {
  std::string_view name;
  CommandKind kind;
  bool takesFile;
};

inline constexpr SwitchDefinition kSwitches[] = {
    {"/export-settings", CommandKind::ExportSettings, true},
    {"/import-settings", CommandKind::ImportSettings, true},
};

// Reads the arguments after the program's own name. Arguments that are no switch of this
// table are left alone, as the program always left its command line alone.
Command ParseCommandLine(std::span<const std::string> arguments);

struct CommandOutcome {
  int exitCode = 0;              // 0 done, 1 imported with lines left out, 2 nothing done
  bool settingsChanged = false;  // a running copy should take the stored settings into use
};

// Export or import without a window; a failure, or lines an import left out, are told in a
// message box, success is silent.
CommandOutcome RunSettingsCommand(const Command& command, SettingsStore& store, Files& files, Dialogs& dialogs);

}  // namespace rp
