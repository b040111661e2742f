#pragma once
#include "ports/Settings.h"

namespace rp::win32 {

// Settings as REG_SZ values under HKCU\Software\Kelvadore\Periodic Respite Prompter Utility;
// policies as the same values under Software\Policies\Kelvadore\Periodic Respite Prompter.
class Win32Settings : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, std::string_view value) override;
  void Remove(std::string_view name) override;
  PolicyValue ReadPolicy(PolicyScope scope, std::string_view name) override;
};

}  // namespace rp::win32
