#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rp {

// One language's translations, read from a compiled gettext catalog (.mo): each English text
// with its translation, or with its plural forms, and the language's rule for choosing a form.
class Catalog {
 public:
  // Reads the bytes of a .mo file for a language; nothing when they are not one or point outside
  // themselves.
  static std::optional<Catalog> Parse(std::string_view bytes, std::string language);

  // The language tag the catalog is for ("de", "pt-BR").
  const std::string& Language() const { return language_; }
  // The translation of a text, or nullptr when the catalog has none (or an empty one).
  const std::string* Find(std::string_view english) const;
  // The form for n of a text with plural forms, or nullptr when the catalog lacks it.
  const std::string* FindPlural(std::string_view singular, long long n) const;
  // Which plural form the language uses for n (0 for the first).
  int PluralForm(long long n) const;

 private:
  // Looked up by the English as a string_view, with no string made for each lookup.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  template <typename Value>
  using ByEnglish = std::unordered_map<std::string, Value, Hash, std::equal_to<>>;
  ByEnglish<std::string> texts_;
  ByEnglish<std::vector<std::string>> plurals_;
  std::string language_;
  int pluralCount_ = 2;
  std::string pluralRule_ = "n != 1";
};

// Evaluates a gettext plural expression ("n%10==1 && n%100!=11 ? 0 : 1") for n; nothing when it
// does not parse.
std::optional<long long> EvaluatePluralRule(std::string_view rule, long long n);

}  // namespace rp
