#pragma once
#include <windows.h>

#include "ports/Dialogs.h"
#include "ports/Files.h"
#include "ports/Settings.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// Settings as REG_SZ values under HKCU\Software\Kelvadore\Periodic Respite Prompter Utility.
class Win32Settings : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, std::string_view value) override;
  // In Win32Policies.cpp.
  PolicyValue ReadPolicy(PolicyScope scope, std::string_view name) override;
};

class Win32Files : public Files {
 public:
  std::string ProgramFolder() override;
  std::string ProgramPath() override;
  bool CanReadModificationTime(std::string_view path) override;
  std::optional<std::string> FindOrdinaryFile(std::string_view pattern) override;
  std::optional<std::string> ReadFile(std::string_view path) override;
  bool WriteFile(std::string_view path, std::string_view content) override;
};

// The open-file dialog's library (with the printing, COM and RPC libraries it pulls in) and COM
// are loaded when the dialog is first opened, not at start.
class Win32Dialogs : public Dialogs {
 public:
  Win32Dialogs() = default;

  int MessageBox(std::string_view text, std::string_view title, int style) override;
  std::string OpenFile(std::string_view title, std::string_view filter) override;
  std::string SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) override;

 private:
  std::string ShowFileDialog(bool save, std::string_view title, std::string_view filter, std::string_view fileName);

  SystemLibrary comdlg32_{L"comdlg32.dll"};
};

}  // namespace rp::win32
