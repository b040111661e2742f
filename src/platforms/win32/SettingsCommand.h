#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace rp::win32 {

// The program's arguments after its own name, in UTF-8.
std::vector<std::string> CommandLineArguments();

// Runs /export-settings or /import-settings without a window and returns the exit code; a
// running copy is told to take imported settings into use at once.
int RunSettingsCommand(const Command& command);

}  // namespace rp::win32
