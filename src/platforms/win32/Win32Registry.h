#pragma once
#include "ports/Registry.h"

namespace rp::win32 {

// The system registry. Names and text travel as UTF-16, so a path outside the ANSI code page
// is stored as it is.
class Win32Registry : public Registry {
 public:
  OpenedKey OpenKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) override;
  OpenedKey CreateKey(RegistryRoot root, std::string_view subkey, std::uint32_t access) override;
};

}  // namespace rp::win32
