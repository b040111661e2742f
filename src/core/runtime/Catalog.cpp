#include "runtime/Catalog.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace rp {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

// A recursive-descent reader of the C subset gettext uses for plural rules. A rule nested
// deeper than any language's, or a sum or product of values past kLargestOperand, is not used:
// a catalog's text can neither exhaust the stack nor overflow.
class PluralExpression {
 public:
  PluralExpression(std::string_view text, long long n) : text_(text), n_(n) {}

  std::optional<long long> Evaluate() {
    const long long value = Conditional();
    Skip();
    if (failed_ || at_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  long long Conditional() {
    const Level level(depth_);
    if (depth_ > kDeepest) return Fail();
    const long long condition = Or();
    if (!Take("?")) return condition;
    const long long whenTrue = Conditional();
    if (!Take(":")) return Fail();
    const long long whenFalse = Conditional();
    return condition ? whenTrue : whenFalse;
  }
  long long Or() {
    long long value = And();
    while (Take("||")) {
      const long long right = And();
      value = value || right;
    }
    return value;
  }
  long long And() {
    long long value = Equality();
    while (Take("&&")) {
      const long long right = Equality();
      value = value && right;
    }
    return value;
  }
  long long Equality() {
    long long value = Relation();
    for (;;) {
      if (Take("==")) value = value == Relation();
      else if (Take("!=")) value = value != Relation();
      else return value;
    }
  }
  long long Relation() {
    long long value = Sum();
    for (;;) {
      if (Take("<=")) value = value <= Sum();
      else if (Take(">=")) value = value >= Sum();
      else if (Take("<")) value = value < Sum();
      else if (Take(">")) value = value > Sum();
      else return value;
    }
  }
  long long Sum() {
    long long value = Product();
    for (;;) {
      if (Take("+")) value = Arithmetic('+', value, Product());
      else if (Take("-")) value = Arithmetic('-', value, Product());
      else return value;
    }
  }
  long long Product() {
    long long value = Unary();
    for (;;) {
      if (Take("*")) {
        value = Arithmetic('*', value, Unary());
      } else if (Take("/") || Take("%")) {
        const bool remainder = text_[at_ - 1] == '%';
        const long long divisor = Unary();
        if (divisor == 0 || (divisor == -1 && value == std::numeric_limits<long long>::min())) return Fail();
        value = remainder ? value % divisor : value / divisor;
      } else {
        return value;
      }
    }
  }
  long long Unary() {
    const Level level(depth_);
    if (depth_ > kDeepest) return Fail();
    if (Take("!")) return !Unary();
    if (Take("(")) {
      const long long value = Conditional();
      if (!Take(")")) return Fail();
      return value;
    }
    if (Take("n")) return n_;
    Skip();
    if (at_ >= text_.size() || text_[at_] < '0' || text_[at_] > '9') return Fail();
    long long value = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9' && value < 1'000'000'000)
      value = value * 10 + (text_[at_++] - '0');
    return value;
  }

  void Skip() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n')) ++at_;
  }
  bool Take(std::string_view token) {
    Skip();
    if (text_.substr(at_, token.size()) != token) return false;
    // "<" is not the start of "<=", nor "!" of "!=".
    if (token.size() == 1 && at_ + 1 < text_.size() && text_[at_ + 1] == '=' && token != "=" &&
        (token == "<" || token == ">" || token == "!"))
      return false;
    at_ += token.size();
    return true;
  }
  long long Fail() {
    failed_ = true;
    at_ = text_.size();
    return 0;
  }
  // A sum, difference or product, of operands small enough for it to fit in a long long.
  long long Arithmetic(char operation, long long left, long long right) {
    const auto small = [](long long v) { return v >= -kLargestOperand && v <= kLargestOperand; };
    if (!small(left) || !small(right)) return Fail();
    return operation == '+' ? left + right : operation == '-' ? left - right : left * right;
  }

  // One level deeper into the rule while it lives.
  class Level {
   public:
    explicit Level(int& depth) : depth_(depth) { ++depth_; }
    ~Level() { --depth_; }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

   private:
    int& depth_;
  };

  // Far deeper than any language's rule nests (Arabic's chain of five conditions included).
  static constexpr int kDeepest = 200;
  // Above every count the program shows (an int); the product of two still fits.
  static constexpr long long kLargestOperand = 3'000'000'000;

  std::string_view text_;
  long long n_;
  std::size_t at_ = 0;
  bool failed_ = false;
  int depth_ = 0;
};

// The value of "Name: value" in a catalog's header, or "".
std::string HeaderField(std::string_view header, std::string_view name) {
  std::size_t at = 0;
  while (at < header.size()) {
    std::size_t end = header.find('\n', at);
    if (end == std::string_view::npos) end = header.size();
    const std::string_view line = header.substr(at, end - at);
    if (line.size() > name.size() && line.substr(0, name.size()) == name && line[name.size()] == ':') {
      std::string_view value = line.substr(name.size() + 1);
      while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
      return std::string(value);
    }
    at = end + 1;
  }
  return "";
}

}  // namespace

std::optional<long long> EvaluatePluralRule(std::string_view rule, long long n) {
  return PluralExpression(rule, n).Evaluate();
}

std::optional<Catalog> Catalog::Parse(std::string_view bytes, std::string language) {
  const auto word = [&](std::size_t at, bool swapped) -> std::optional<std::uint32_t> {
    if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t byte = static_cast<unsigned char>(bytes[at + (swapped ? i : 3 - i)]);
      value = value << 8 | byte;
    }
    return value;
  };
  const auto magic = word(0, false);
  if (!magic) return std::nullopt;
  const bool swapped = *magic != kMagic;
  if (swapped && word(0, true) != kMagic) return std::nullopt;
  const auto count = word(8, swapped), originals = word(12, swapped), translations = word(16, swapped);
  if (!count || !originals || !translations) return std::nullopt;
  // The string at a table's entry, within the bytes.
  const auto string = [&](std::uint32_t table, std::uint32_t index) -> std::optional<std::string_view> {
    const std::size_t entry = std::size_t{table} + std::size_t{index} * 8;
    const auto length = word(entry, swapped), offset = word(entry + 4, swapped);
    if (!length || !offset || *offset > bytes.size() || bytes.size() - *offset < *length) return std::nullopt;
    return bytes.substr(*offset, *length);
  };

  Catalog catalog;
  catalog.language_ = std::move(language);
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto english = string(*originals, i), translated = string(*translations, i);
    if (!english || !translated) return std::nullopt;
    if (english->empty()) {
      const std::string plural = HeaderField(*translated, "Plural-Forms");
      const std::size_t counted = plural.find("nplurals="), rule = plural.find("plural=", counted + 1);
      if (counted != std::string::npos && rule != std::string::npos) {
        catalog.pluralCount_ = std::atoi(plural.c_str() + counted + 9);
        std::string text = plural.substr(rule + 7);
        if (!text.empty() && text.back() == ';') text.pop_back();
        catalog.pluralRule_ = std::move(text);
      }
      continue;
    }
    if (translated->empty()) continue;
    const std::size_t split = english->find('\0');
    if (split == std::string_view::npos) {
      catalog.texts_.emplace(*english, *translated);
      continue;
    }
    std::vector<std::string> forms;
    std::string_view rest = *translated;
    for (std::size_t end; (end = rest.find('\0')) != std::string_view::npos; rest.remove_prefix(end + 1))
      forms.emplace_back(rest.substr(0, end));
    forms.emplace_back(rest);
    catalog.plurals_.emplace(english->substr(0, split), std::move(forms));
  }
  return catalog;
}

const std::string* Catalog::Find(std::string_view english) const {
  const auto found = texts_.find(english);
  return found == texts_.end() ? nullptr : &found->second;
}

int Catalog::PluralForm(long long n) const {
  const auto form = EvaluatePluralRule(pluralRule_, n);
  if (!form || *form < 0 || *form >= pluralCount_) return n == 1 ? 0 : 1;
  return static_cast<int>(*form);
}

const std::string* Catalog::FindPlural(std::string_view singular, long long n) const {
  const auto found = plurals_.find(singular);
  if (found == plurals_.end()) return nullptr;
  const auto form = static_cast<std::size_t>(PluralForm(n));
  if (form >= found->second.size() || found->second[form].empty()) return nullptr;
  return &found->second[form];
}

}  // namespace rp
