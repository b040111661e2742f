#pragma once
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/Controls.h"

namespace rp {

// The user's language: every text a user sees goes through Tr, in English in the code, and is
// looked up in the chosen language's catalog (a compiled gettext .mo file). A text the catalog
// lacks stays English. scripts/po extracts the texts into po/RespitePrompter.pot by these names:
//
//   Tr("Stopped.")                                    a whole text
//   TrPlural("{count} skip left today", "{count} skips left today", n)   a text with a number
//   TrNoop("Audio Reminder")                          marked for the translators, translated later
//                                                     (design captions, tables)
//   Fill(Tr("Reminders paused until {time}"), {{"time", "14:30"}})       a sentence with values
//
// A sentence is never pieced together from fragments: its word order differs by language.

class Catalog;

// Marks a text for the translators' template; the text itself is unchanged.
constexpr const char* TrNoop(const char* english) { return english; }

// The text in the current language; the English text when there is none (and "" for "").
std::string Tr(std::string_view english);

// The plural form for n in the current language; English: singular for 1, else plural.
std::string TrPlural(std::string_view singular, std::string_view plural, long long n);

// Replaces each "{name}" in the pattern with its value; a name without a value stays as it is.
std::string Fill(std::string_view pattern,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// The font a text in the current language is drawn with: Japanese and Chinese in the face Windows
// draws its own texts in for them, which has their characters; other languages as designed.
Font InLanguage(Font font);
// The font for one text in its own writing, whatever the current language: a language's own
// name in a list of languages.
Font ForText(Font font, std::string_view text);

// The catalog Tr reads, or nullptr for English. Set by the program when the language changes.
const Catalog* CurrentCatalog();
void SetCurrentCatalog(std::shared_ptr<const Catalog> catalog);

}  // namespace rp
