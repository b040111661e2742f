#include "exercises/ExerciseFile.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "runtime/TrimBlanks.h"

namespace rp {
namespace {

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x | 0x20) == (y | 0x20);
         });
}

// Printable UTF-8: no control characters, no broken or overlong sequences.
bool PlainText(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 && c != '\t') return false;
    if (c == 0x7F) return false;
    if (c < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    if (length == 0 || c > 0xF4 || i + length > text.size()) return false;
    char32_t code = c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

std::optional<ExerciseKind> KindNamed(std::string_view name) {
  constexpr std::pair<std::string_view, ExerciseKind> kKinds[] = {
      {"eyes", ExerciseKind::Eyes},
      {"neck", ExerciseKind::NeckShoulders},
      {"hands", ExerciseKind::HandsWrists},
      {"back", ExerciseKind::BackLegs},
  };
  for (const auto& [word, kind] : kKinds)
    if (SameWord(name, word)) return kind;
  return std::nullopt;
}

bool FullPath(std::string_view path) {
  return path.starts_with("\\\\") || (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/'));
}

// One block's lines, read into an exercise; nothing when any line is wrong.
class Block {
 public:
  explicit Block(int firstLine) : firstLine_(firstLine) {}

  void Add(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return Fail();
    const std::string_view name = TrimBlanks(line.substr(0, colon));
    const std::string_view value = TrimBlanks(line.substr(colon + 1));
    if (value.empty() || !PlainText(value)) return Fail();
    if (SameWord(name, "title")) {
      if (title_ || value.size() > kMaxTitleBytes) return Fail();
      title_ = std::string(value);
    } else if (SameWord(name, "step")) {
      if (exercise_.steps.size() == kMaxSteps || value.size() > kMaxStepBytes) return Fail();
      exercise_.steps.emplace_back(value);
    } else if (SameWord(name, "seconds")) {
      int seconds = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
      if (seconds_ || error != std::errc{} || end != value.data() + value.size() || seconds < kMinExerciseSeconds ||
          seconds > kMaxExerciseSeconds)
        return Fail();
      seconds_ = seconds;
    } else if (SameWord(name, "kind")) {
      const auto kind = KindNamed(value);
      if (kind_ || !kind) return Fail();
      kind_ = kind;
    } else if (SameWord(name, "picture")) {
      if (picture_ || value.size() > kMaxPicturePathBytes) return Fail();
      picture_ = std::string(value);
    } else {
      Fail();
    }
  }

  // The exercise, with a picture named alone looked for in `folder`.
  std::optional<Exercise> Read(std::string_view folder) {
    if (!good_ || !title_ || exercise_.steps.empty() || !seconds_ || !kind_) return std::nullopt;
    exercise_.title = *title_;
    exercise_.seconds = *seconds_;
    exercise_.kind = *kind_;
    if (picture_) exercise_.pictureFile = FullPath(*picture_) ? *picture_ : std::string(folder) + "\\" + *picture_;
    return exercise_;
  }
  std::string Name() const { return title_ ? *title_ : "line " + std::to_string(firstLine_); }

 private:
  void Fail() { good_ = false; }

  int firstLine_;
  bool good_ = true;
  Exercise exercise_;
  std::optional<std::string> title_, picture_;
  std::optional<int> seconds_;
  std::optional<ExerciseKind> kind_;
};

}  // namespace

ExerciseFileReading ReadExerciseFile(std::string_view text, std::string_view folder) {
  ExerciseFileReading reading;
  if (text.size() > kMaxExerciseFileBytes) {
    reading.tooLarge = true;
    return reading;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::optional<Block> block;
  const auto finish = [&] {
    if (!block) return;
    auto exercise = block->Read(folder);
    if (exercise && reading.exercises.size() < kMaxOwnExercises) {
      reading.exercises.push_back(std::move(*exercise));
    } else {
      reading.leftOut.push_back(block->Name());
    }
    block.reset();
  };
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    if (line.empty()) {
      finish();
    } else if (!line.starts_with('#')) {
      if (!block) block.emplace(number);
      block->Add(line);
    }
  }
  finish();
  return reading;
}

}  // namespace rp
