#include "win32/Win32Translations.h"

#include <cwctype>

#include "win32/Text.h"

namespace rp::win32 {

// The catalogs are resources of type CATALOG named by their tag ("PT_BR" for "pt-BR").
std::string Win32Translations::TranslationCatalog(std::string_view tag) {
  std::wstring name = Widen(tag);
  for (wchar_t& c : name) c = c == L'-' ? L'_' : static_cast<wchar_t>(towupper(c));
  HRSRC found = FindResourceW(instance_, name.c_str(), L"CATALOG");
  HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return "";
  return std::string(static_cast<const char*>(bytes), SizeofResource(instance_, found));
}

std::string Win32Translations::DisplayLanguage() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (!LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0))
    return "";
  return Narrow(name);
}

}  // namespace rp::win32
