#pragma once
#include <windows.h>  // before the ports: MessageBox is a macro of it

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace rp::win32 {

class ComApartment;

// The program's arguments after its own name, split as the C runtime splits them, in UTF-8.
std::vector<std::string> CommandLineArguments();

// Runs what rp::RunsWithoutWindow names (a line not understood, an export, an import) and
// returns the exit code; a running copy is told to take imported settings into use at once.
int RunWithoutWindow(const CommandLine& line, ComApartment& com, HINSTANCE instance);

}  // namespace rp::win32
