#pragma once
#include <string>

#include "ports/Platform.h"

namespace rp::mStartUp {

// The file name of the running program, "" when the system cannot tell it.
std::string ProgramFileName(Platform& platform);

// Makes Windows start the running program at log-on, or stops it doing so.
void AddToStartup(Platform& platform);
void RemoveFromStartup(Platform& platform);

}  // namespace rp::mStartUp
