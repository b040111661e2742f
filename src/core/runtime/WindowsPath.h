#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// The folders a Windows path runs through below its root, each as a path, down to the path
// itself: "C:\a\b" gives "C:\a" and "C:\a\b". The root names a drive or a share and cannot be
// made: "C:\", "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\"; a path that is only a
// root gives none, a relative one starts at its first folder.
std::vector<std::string> FoldersBelowRoot(std::string_view path);

}  // namespace rp
