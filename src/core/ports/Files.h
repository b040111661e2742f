#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// A picture file as read for showing: scaled down to fit, or why it cannot be shown.
struct PictureRead {
  enum class Result { Shown, Missing, Damaged, TooLarge };
  Result result = Result::Missing;
  int width = 0, height = 0;          // as scaled
  std::vector<std::uint32_t> pixels;  // premultiplied 0xAARRGGBB, row by row from the top
};

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

  // The user's own application-data folder on this computer (%LOCALAPPDATA%), without a
  // trailing separator; "" when the system names none.
  virtual std::string LocalAppDataFolder() = 0;
  // The user's roaming application-data folder (%APPDATA%), the same way.
  virtual std::string RoamingAppDataFolder() = 0;
  // A PNG, JPEG or BMP file read whole and scaled to fit a square of `fitSide` pixels, its
  // shape kept; one over 8 MB or 4096 pixels a side is not decoded (PictureFits).
  virtual PictureRead ReadPicture(std::string_view path, int fitSide) = 0;
  // Makes the folder and any of its parents that are missing; true when it exists afterwards.
  virtual bool CreateFolder(std::string_view path) = 0;
  // Creates or truncates the file, writes `content` and has it on the disk before returning;
  // false when any of that failed (what was written may remain).
  virtual bool WriteNewFile(std::string_view path, std::string_view content) = 0;
  // Renames `from` to `to` in one step, replacing `to` if it exists: afterwards `to` is either
  // the old file or the new one. False when it failed, with both left as they were.
  virtual bool MoveReplacing(std::string_view from, std::string_view to) = 0;
  // Deletes the file; true when it is gone (or was not there).
  virtual bool RemoveFile(std::string_view path) = 0;
};

}  // namespace rp
