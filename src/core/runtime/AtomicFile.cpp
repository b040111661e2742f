#include "runtime/AtomicFile.h"

#include <string>

namespace rp {

bool WriteFileInOneStep(Files& files, std::string_view path, std::string_view content) {
  const std::size_t slash = path.rfind('\\');
  if (slash != std::string_view::npos && !files.CreateFolder(path.substr(0, slash))) return false;
  const std::string fresh = std::string(path) + ".new";
  if (files.WriteNewFile(fresh, content) && files.MoveReplacing(fresh, path)) return true;
  files.RemoveFile(fresh);  // half a new file must not lie about
  return false;
}

}  // namespace rp
