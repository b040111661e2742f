#pragma once
#include "ports/Files.h"

namespace rp::win32 {

class ComApartment;

// The program's own path and folder, and the files it looks for and reads.
class Win32Files : public Files {
 public:
  explicit Win32Files(ComApartment& com) : com_(com) {}
  std::string ProgramFolder() override;
  std::string ProgramPath() override;
  bool CanReadModificationTime(std::string_view path) override;
  std::optional<std::string> FindOrdinaryFile(std::string_view pattern) override;
  std::optional<std::string> ReadFile(std::string_view path) override;
  // Writing, in Win32FileWriting.cpp.
  std::string LocalAppDataFolder() override;
  std::string RoamingAppDataFolder() override;
  PictureRead ReadPicture(std::string_view path, int fitSide) override;
  bool CreateFolder(std::string_view path) override;
  bool WriteNewFile(std::string_view path, std::string_view content) override;
  bool MoveReplacing(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;

 private:
  ComApartment& com_;  // the pictures' decoders are COM objects
};

}  // namespace rp::win32
