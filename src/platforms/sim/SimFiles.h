#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Files.h"

namespace rp::sim {

struct SimFile {
  std::string content;
  bool hidden = false;
  bool system = false;
  bool directory = false;
  bool unreadable = false;  // listed, but opening it fails (locked, no permission)
  bool readOnly = false;    // writing or replacing it fails
};

class SimFiles : public Files {
 public:
  std::string ProgramFolder() override { return programFolder; }
  std::string ProgramPath() override;
  bool CanReadModificationTime(std::string_view path) override;
  std::optional<std::string> FindOrdinaryFile(std::string_view pattern) override;
  std::optional<std::string> ReadFile(std::string_view path) override;
  // Writing.
  std::string LocalAppDataFolder() override { return localAppData; }
  std::string RoamingAppDataFolder() override { return roamingAppData; }
  // A picture is a file whose content begins "picture WxH" (W by H pixels); any other content
  // is damaged. Its pixels are all kPicturePixel.
  PictureRead ReadPicture(std::string_view path, int fitSide) override;
  bool CreateFolder(std::string_view path) override;
  bool WriteNewFile(std::string_view path, std::string_view content) override;
  bool MoveReplacing(std::string_view from, std::string_view to) override;
  bool RemoveFile(std::string_view path) override;

  void Add(const std::string& path, SimFile file = {});
  // The content of a file, "<absent>" when there is none.
  std::string Content(const std::string& path);
  std::string programFolder = "C:\\Program Files\\Respite";
  std::string programName = "RespitePrompter.exe";
  std::map<std::string, SimFile> files;  // keyed by the lower-case path
  std::string localAppData = "C:\\Users\\Ann\\AppData\\Local";
  std::string roamingAppData = "C:\\Users\\Ann\\AppData\\Roaming";
  static constexpr std::uint32_t kPicturePixel = 0xFF2080C0;
  // Faults of the disk: a write stops half way (the disk is full), no folder can be made (the
  // drive is gone). An unreadable file (held open elsewhere) can be neither replaced nor deleted.
  bool diskFull = false;
  bool foldersFail = false;
};

}  // namespace rp::sim
