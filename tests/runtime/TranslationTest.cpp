#include "runtime/Translation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "app/Program.h"
#include "runtime/Catalog.h"

namespace rp {
namespace {

using namespace std::string_literals;

// The bytes of a compiled catalog holding these (English, translation) pairs, as msgfmt writes
// them: a plural entry's English is "singular\0plural", its translation the forms split by '\0'.
std::string CompiledCatalog(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string tables, strings;
  const auto word = [](std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xff);
  };
  const std::uint32_t count = static_cast<std::uint32_t>(entries.size());
  const std::uint32_t stringsStart = 28 + 16 * count;
  std::string originals, translations;
  for (int column = 0; column < 2; ++column) {
    for (const auto& entry : entries) {
      const std::string& text = column == 0 ? entry.first : entry.second;
      word(column == 0 ? originals : translations, static_cast<std::uint32_t>(text.size()));
      word(column == 0 ? originals : translations, stringsStart + static_cast<std::uint32_t>(strings.size()));
      strings += text + '\0';
    }
  }
  std::string bytes;
  for (std::uint32_t value : {0x950412deu, 0u, count, 28u, 28 + 8 * count, 0u, 0u}) word(bytes, value);
  return bytes + originals + translations + strings;
}

const std::string kRussianHeader =
    "Language: ru\nPlural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && "
    "(n%100<10 || n%100>=20) ? 1 : 2);\n";

TEST(Translation, PluralRulesOfTheTranslatedLanguages) {
  const std::string russian = "(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)";
  const std::string polish = "(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)";
  const std::string arabic = "(n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : n%100>=11 ? 4 : 5)";
  const struct {
    std::string rule;
    long long n;
    long long form;
  } cases[] = {
      {"(n != 1)", 1, 0},  {"(n != 1)", 0, 1},  {"(n > 1)", 0, 0},  {"(n > 1)", 2, 1},  {"0", 7, 0},
      {russian, 1, 0},     {russian, 21, 0},    {russian, 11, 2},   {russian, 3, 1},   {russian, 14, 2},
      {russian, 22, 1},    {russian, 5, 2},     {polish, 1, 0},     {polish, 21, 2},   {polish, 22, 1},
      {polish, 12, 2},     {"!(n <= 1)", 3, 1}, {"n-1*2", 5, 3},
      {russian, std::numeric_limits<long long>::max(), 2},  {"n*n", 3'000'000'000, 9'000'000'000'000'000'000},
      {std::string(40, '(') + arabic + std::string(40, ')'), 103, 3},
  };
  for (const auto& c : cases) EXPECT_EQ(EvaluatePluralRule(c.rule, c.n), c.form) << c.rule << " n=" << c.n;
  for (const char* broken : {"", "n %", "(n != 1", "n ? 1", "n / 0", "x", "n != 1)"})
    EXPECT_EQ(EvaluatePluralRule(broken, 1), std::nullopt) << broken;
  // Nesting deeper than a language's rule, and sums and products past what a long long holds,
  // leave the rule unused instead of exhausting the stack or overflowing.
  const std::string deep = std::string(100000, '(') + "n" + std::string(100000, ')');
  const struct {
    std::string rule;
    long long n;
  } unusable[] = {{deep, 1}, {std::string(100000, '!') + "n", 1}, {"n*n", 4'000'000'000}, {"n*n*n", 3'000'000},
                  {"n+n", std::numeric_limits<long long>::max()}, {"n/(0-1)", std::numeric_limits<long long>::min()}};
  for (const auto& c : unusable) EXPECT_EQ(EvaluatePluralRule(c.rule, c.n), std::nullopt) << c.rule.substr(0, 9);
}

TEST(Translation, CatalogTextsPluralsAndFallbackToEnglish) {
  const std::string bytes = CompiledCatalog({{"", kRussianHeader},
                                             {"Stopped.", "Остановлено."},
                                             {"Untranslated", ""},
                                             {"{count} skip left today\0{count} skips left today"s,
                                              "остался {count} пропуск\0осталось {count} пропуска\0осталось {count} пропусков"s}});
  auto catalog = Catalog::Parse(bytes, "ru");
  ASSERT_TRUE(catalog);
  SetCurrentCatalog(std::make_shared<const Catalog>(std::move(*catalog)));
  EXPECT_EQ(Tr("Stopped."), "Остановлено.");
  EXPECT_EQ(Tr("Untranslated"), "Untranslated");  // an empty translation is none
  EXPECT_EQ(Tr("Not in the catalog"), "Not in the catalog");
  EXPECT_EQ(Tr(""), "");  // not the header
  const auto skips = [](long long n) {
    return Fill(TrPlural("{count} skip left today", "{count} skips left today", n), {{"count", std::to_string(n)}});
  };
  EXPECT_EQ(skips(1), "остался 1 пропуск");
  EXPECT_EQ(skips(3), "осталось 3 пропуска");
  EXPECT_EQ(skips(11), "осталось 11 пропусков");
  EXPECT_EQ(TrPlural("{count} hour", "{count} hours", 2), "{count} hours");
  EXPECT_EQ(InLanguage(Font{"Arial", 9, true}).face, "Arial");
  SetCurrentCatalog(nullptr);
  EXPECT_EQ(Tr("Stopped."), "Stopped.");
  EXPECT_EQ(skips(1), "1 skip left today");
  EXPECT_EQ(skips(0), "0 skips left today");
}

TEST(Translation, DamagedCatalogsAreRefused) {
  const std::string good = CompiledCatalog({{"", kRussianHeader}, {"Stopped.", "Остановлено."}});
  for (std::size_t length : {0u, 3u, 20u, 40u, 60u}) EXPECT_FALSE(Catalog::Parse(good.substr(0, length), "ru")) << length;
  std::string badMagic = good;
  badMagic[0] = 'x';
  EXPECT_FALSE(Catalog::Parse(badMagic, "ru"));
  std::string farOffset = good;
  farOffset[28 + 8 + 7] = '\x7f';  // the second original's offset points far past the end
  EXPECT_FALSE(Catalog::Parse(farOffset, "ru"));
}

TEST(Translation, FillPutsValuesIntoTheirPlaces) {
  EXPECT_EQ(Fill("Next break will occur in {time}", {{"time", "00:44:59"}}), "Next break will occur in 00:44:59");
  EXPECT_EQ(Fill("{b} {a} {b}", {{"a", "1"}, {"b", "2"}}), "2 1 2");
  EXPECT_EQ(Fill("{unknown} {", {{"a", "1"}}), "{unknown} {");
}

TEST(Translation, LanguageChoiceAndDisplayLanguage) {
  const struct {
    const char *chosen, *display, *tag;
  } cases[] = {
      {"", "de-DE", ""},           {"de", "en-US", "de"},        {"pt-BR", "", "pt-BR"},
      {"klingon", "de-DE", ""},    {"DE", "de-DE", ""},          {"system", "de-AT", "de"},
      {"system", "pt-PT", "pt-BR"}, {"system", "zh-CN", "zh-Hans"}, {"system", "zh-Hans-HK", "zh-Hans"},
      {"system", "zh-TW", ""},     {"system", "en-GB", ""},      {"system", "", ""},
      {"system", "ja-JP", "ja"},   {"system", "sv-SE", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CatalogTag(c.chosen, c.display), c.tag) << c.chosen << " " << c.display;
}

}  // namespace
}  // namespace rp
