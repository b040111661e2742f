#pragma once
#include <string>

#include "ports/Files.h"
#include "ports/Registry.h"

namespace rp {
class Main;
}

namespace rp::mStartUp {

// The file name of the running program, "" when the system cannot tell it.
std::string ProgramFileName(Files& files);

// Makes Windows start the running program at log-on, or stops it doing so.
void AddToStartup(Files& files, Registry& registry);
void RemoveFromStartup(Files& files, Registry& registry);
// A start-up choice a policy makes is kept in the Run key too.
void KeepAsPolicySays(rp::Main& main, Files& files, Registry& registry);

}  // namespace rp::mStartUp
