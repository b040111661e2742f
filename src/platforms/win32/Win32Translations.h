#pragma once
#include <windows.h>

#include "ports/Translations.h"

namespace rp::win32 {

// The catalogs the program carries as resources, and the user's display language; the main
// window's desktop and the windowless commands both read them here.
class Win32Translations : public Translations {
 public:
  explicit Win32Translations(HINSTANCE instance) : instance_(instance) {}
  std::string TranslationCatalog(std::string_view tag) override;
  std::string DisplayLanguage() override;

 private:
  HINSTANCE instance_;
};

}  // namespace rp::win32
