#pragma once
#include <string>
#include <string_view>

namespace rp {

// The translations the program carries and the language the user's Windows speaks: all a
// text needs to follow the chosen language, with or without a window.
class Translations {
 public:
  virtual ~Translations() = default;
  // The compiled translation catalog (.mo) the program carries for a language tag ("de",
  // "pt-BR"), or "" when it has none.
  virtual std::string TranslationCatalog(std::string_view tag) = 0;
  // The user's display language as a tag ("de-DE", "zh-CN"), or "" when unknown.
  virtual std::string DisplayLanguage() = 0;
};

}  // namespace rp
