#include "runtime/Translation.h"

#include "runtime/Catalog.h"

namespace rp {

namespace {
std::shared_ptr<const Catalog>& Current() {
  static std::shared_ptr<const Catalog> current;
  return current;
}
}  // namespace

const Catalog* CurrentCatalog() { return Current().get(); }
void SetCurrentCatalog(std::shared_ptr<const Catalog> catalog) { Current() = std::move(catalog); }

std::string Tr(std::string_view english) {
  const Catalog* catalog = CurrentCatalog();
  const std::string* translated = catalog && !english.empty() ? catalog->Find(english) : nullptr;
  return translated ? *translated : std::string(english);
}

std::string TrPlural(std::string_view singular, std::string_view plural, long long n) {
  const Catalog* catalog = CurrentCatalog();
  const std::string* translated = catalog ? catalog->FindPlural(singular, n) : nullptr;
  return translated ? *translated : std::string(n == 1 ? singular : plural);
}

Font InLanguage(Font font) {
  const Catalog* catalog = CurrentCatalog();
  const std::string language = catalog ? catalog->Language() : "";
  if (language == "ja") {
    font.face = "Yu Gothic UI";
    font.script = Script::Japanese;
  } else if (language == "zh-Hans") {
    font.face = "Microsoft YaHei UI";
    font.script = Script::SimplifiedChinese;
  }
  return font;
}

std::string Fill(std::string_view pattern,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string out;
  out.reserve(pattern.size());
  std::size_t i = 0;
  while (i < pattern.size()) {
    if (pattern[i] == '{') {
      const std::size_t close = pattern.find('}', i);
      if (close != std::string_view::npos) {
        const std::string_view name = pattern.substr(i + 1, close - i - 1);
        const auto* found = values.begin();
        while (found != values.end() && found->first != name) ++found;
        if (found != values.end()) {
          out += found->second;
          i = close + 1;
          continue;
        }
      }
    }
    out += pattern[i++];
  }
  return out;
}

}  // namespace rp
