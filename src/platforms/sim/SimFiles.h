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
  bool readOnly = false;    // writing it fails
};

class SimFiles : public Files {
 public:
  std::string ProgramFolder() override { return programFolder; }
  std::string ProgramPath() override;
  bool CanReadModificationTime(std::string_view path) override;
  std::optional<std::string> FindOrdinaryFile(std::string_view pattern) override;
  std::optional<std::string> ReadFile(std::string_view path) override;
  bool WriteFile(std::string_view path, std::string_view content) override;

  void Add(const std::string& path, SimFile file = {});
  std::string programFolder = "C:\\Program Files\\Respite";
  std::string programName = "RespitePrompter.exe";
  std::map<std::string, SimFile> files;  // keyed by the lower-case path
};

}  // namespace rp::sim
