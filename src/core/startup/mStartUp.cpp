#include "startup/mStartUp.h"

#include "settings/Main.h"
#include "startup/RegStuff.h"

namespace rp::mStartUp {

// The running program's own module file, not the first "*.exe" in its folder: another
// program lying beside it must never be the one started at log-on.
std::string ProgramFileName(Files& files) {
  const std::string path = files.ProgramPath();
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void AddToStartup(Files& files, Registry& registry) {
  const std::string name = ProgramFileName(files);
  if (!name.empty()) RegStuff::AddRunEntry(registry, files.ProgramFolder(), name);
}

void RemoveFromStartup(Files& files, Registry& registry) {
  const std::string name = ProgramFileName(files);
  if (!name.empty()) RegStuff::RemoveRunEntry(registry, name);
}

void KeepAsPolicySays(Main& main, Files& files, Registry& registry) {
  if (!main.SetByPolicy("Windows Startup")) return;
  if (main.GetSetting("Windows Startup", "Off") == "On")
    AddToStartup(files, registry);
  else
    RemoveFromStartup(files, registry);
}

}  // namespace rp::mStartUp
