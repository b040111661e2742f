#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace rp {

// The file system as the program sees it. Paths are Windows paths in UTF-8.
class Files {
 public:
  virtual ~Files() = default;
  // Folder of the running executable, without a trailing separator (except at a drive root, "C:\").
  virtual std::string ProgramFolder() = 0;
  // Full path of the running executable.
  virtual std::string ProgramPath() = 0;
  // True when the last-modification time of the path can be read.
  virtual bool CanReadModificationTime(std::string_view path) = 0;
  // Name (without folder) of the first ordinary file (not a folder, not hidden, not system)
  // that matches the pattern, or nothing. Throws Failure for a pattern the system rejects.
  virtual std::optional<std::string> FindOrdinaryFile(std::string_view pattern) = 0;
  // Whole content of a file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(std::string_view path) = 0;
  // Creates or replaces a file with the content; false when it could not be written whole.
  virtual bool WriteFile(std::string_view path, std::string_view content) = 0;
};

}  // namespace rp
