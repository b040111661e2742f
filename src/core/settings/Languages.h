#pragma once
#include <cstddef>
#include <string_view>

#include "runtime/Translation.h"

namespace rp {

// A language the program speaks: its tag as the "Language" setting stores it, and its name as
// its own speakers write it.
struct LanguageChoice {
  std::string_view tag, ownName;
};

inline constexpr std::string_view kEnglish = "";          // the program's own; nothing is stored
inline constexpr std::string_view kSystemLanguage = "system";  // Windows' display language

// In the order the Options window lists them. A language's name is its own in every language,
// English too; only the display language's entry is words to translate.
inline constexpr LanguageChoice kLanguages[] = {
    {kEnglish, "English"},
    {kSystemLanguage, TrNoop("Windows display language")},
    {"de", "Deutsch"},
    {"fr", "Français"},
    {"es", "Español"},
    {"it", "Italiano"},
    {"pt-BR", "Português (Brasil)"},
    {"nl", "Nederlands"},
    {"pl", "Polski"},
    {"ru", "Русский"},
    {"ja", "日本語"},
    {"zh-Hans", "简体中文"},
};

// The place in kLanguages of a stored tag (exact); 0, English, for any other text.
constexpr std::size_t LanguageIndex(std::string_view tag) {
  for (std::size_t i = 0; i < std::size(kLanguages); ++i)
    if (kLanguages[i].tag == tag) return i;
  return 0;
}

}  // namespace rp
