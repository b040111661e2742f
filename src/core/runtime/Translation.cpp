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

namespace {

Font WithScript(Font font, Script script) {
  if (script == Script::Japanese) font.face = "Yu Gothic UI";
  if (script == Script::SimplifiedChinese) font.face = "Microsoft YaHei UI";
  font.script = script;
  return font;
}

// Kana make a text Japanese; Han characters without kana, Chinese.
Script ScriptOf(std::string_view utf8) {
  bool han = false;
  for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
    if ((byte(i) & 0xF0) != 0xE0) continue;
    const unsigned codePoint = (byte(i) & 0x0Fu) << 12 | (byte(i + 1) & 0x3Fu) << 6 | (byte(i + 2) & 0x3Fu);
    if (codePoint >= 0x3040 && codePoint <= 0x30FF) return Script::Japanese;
    han |= codePoint >= 0x4E00 && codePoint <= 0x9FFF;
  }
  return han ? Script::SimplifiedChinese : Script::Latin;
}

}  // namespace

Font InLanguage(Font font) {
  if (font.script != Script::Latin) return font;  // chosen for its text already
  const Catalog* catalog = CurrentCatalog();
  const std::string_view language = catalog ? std::string_view(catalog->Language()) : std::string_view();
  if (language == "ja") return WithScript(std::move(font), Script::Japanese);
  if (language == "zh-Hans") return WithScript(std::move(font), Script::SimplifiedChinese);
  return font;
}

Font ForText(Font font, std::string_view text) {
  const Script script = ScriptOf(text);
  return script == Script::Latin ? InLanguage(std::move(font)) : WithScript(std::move(font), script);
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
