#include "startup/mStartUp.h"

#include "startup/RegStuff.h"

namespace rp::mStartUp {

// The running program's own module file, not the first "*.exe" in its folder: another
// program lying beside it must never be the one started at log-on.
std::string ProgramFileName(Platform& platform) {
  const std::string path = platform.files.ProgramPath();
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void AddToStartup(Platform& platform) {
  const std::string name = ProgramFileName(platform);
  if (!name.empty()) RegStuff::AddRunEntry(platform, name);
}

void RemoveFromStartup(Platform& platform) {
  const std::string name = ProgramFileName(platform);
  if (!name.empty()) RegStuff::RemoveRunEntry(platform, name);
}

}  // namespace rp::mStartUp
