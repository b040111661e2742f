#include "runtime/WindowsPath.h"

#include <algorithm>

namespace rp {
namespace {

// Where the component that starts at `at` ends: at the next separator, or at the path's end.
std::size_t ComponentEnd(std::string_view path, std::size_t at) {
  return std::min(path.find('\\', at), path.size());
}

// The length of the root with its separator: "C:\" 3, "\\server\share\" and "\\?\C:\" up to
// their last separator; 0 for a relative path.
std::size_t RootLength(std::string_view path) {
  std::size_t at = 0;
  int components = 0;  // the names the root holds after its prefix
  if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) {
    at = 4;
    const bool share = path.substr(at).starts_with("UNC\\");
    at += share ? 4 : 0;
    components = share ? 2 : 1;  // a server and its share, or a drive ("C:") or a volume
  } else if (path.starts_with("\\\\")) {
    at = 2;
    components = 2;
  } else if (path.size() >= 2 && path[1] == ':') {
    return path.size() > 2 && path[2] == '\\' ? 3 : 2;
  } else if (path.starts_with("\\")) {
    return 1;
  }
  for (; components > 0; --components) at = std::min(ComponentEnd(path, at) + 1, path.size());
  return at;
}

}  // namespace

std::vector<std::string> FoldersBelowRoot(std::string_view path) {
  std::vector<std::string> folders;
  for (std::size_t at = RootLength(path); at < path.size();) {
    const std::size_t end = ComponentEnd(path, at);
    if (end > at) folders.emplace_back(path.substr(0, end));  // "\\" twice names no folder
    at = end + 1;
  }
  return folders;
}

}  // namespace rp
