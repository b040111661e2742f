#include "app/Program.h"

#include "app/Form1.h"
#include "settings/Languages.h"
#include "options/FormOptions.h"
#include "statistics/FormStatistics.h"
#include "reminders/Form2.h"
#include "runtime/Catalog.h"
#include "runtime/Translation.h"

#include <cctype>

namespace rp {

Program::Program(Platform& platform) : platform(platform), main(platform) {}

Program::~Program() = default;

std::string CatalogTag(std::string_view chosen, std::string_view displayLanguage) {
  if (chosen != kSystemLanguage) return std::string(kLanguages[LanguageIndex(chosen)].tag);
  std::string display(displayLanguage);
  for (char& c : display) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string primary = display.substr(0, display.find('-'));
  // Brazilian Portuguese serves every Portuguese reader; simplified Chinese only its own regions.
  if (primary == "pt") return "pt-BR";
  if (primary == "zh")
    return display == "zh" || display == "zh-cn" || display == "zh-sg" || display.starts_with("zh-hans") ? "zh-Hans" : "";
  return std::string(kLanguages[LanguageIndex(primary)].tag);
}

void Program::Start() {
  ApplyLanguage();
  form1 = std::make_unique<Form1>(*this);
  form1->Show();
}

std::unique_ptr<Form2> Program::NewForm2(std::function<void()> closed) {
  return std::make_unique<Form2>(
      platform, main, [this] { return form1->Text1.Text(); }, globals.BreakWindowClosed, std::move(closed));
}

std::optional<Options> Program::ChooseOptions(const Options& current, std::function<void()> imported) {
  if (formOptions) return std::nullopt;
  std::optional<Options> chosen;
  try {
    formOptions = std::make_unique<FormOptions>(platform, main, current, std::move(imported),
                                                [this](Hotkey key) { return form1->hotkeys.Available(key); });
    form1->hotkeys.Refresh();  // the keys go while the window is up: its boxes take them as pressed
    formOptions->ShowModal(*form1, platform.loop);
    chosen = formOptions->Chosen();
  } catch (...) {
    formOptions.reset();  // or the menu would find it still open from now on
    form1->hotkeys.Refresh();
    throw;
  }
  formOptions.reset();
  form1->hotkeys.Refresh();
  if (chosen) chosen->StoreChanges(main, current);
  return chosen;
}

void Program::ShowStatistics(StatisticsKeeper& statistics) {
  if (formStatistics) return;
  try {
    formStatistics = std::make_unique<FormStatistics>(platform, main, statistics);
    formStatistics->ShowModal(*form1, platform.loop);
  } catch (...) {
    formStatistics.reset();
    throw;
  }
  formStatistics.reset();
}

bool UseChosenLanguage(ManagedSettings& settings, Translations& translations) {
  std::string chosen;
  try {
    chosen = settings.Get("Language", "");
  } catch (...) {
    // A language that cannot be read is English.
  }
  const std::string tag = CatalogTag(chosen, chosen == kSystemLanguage ? translations.DisplayLanguage() : "");
  const Catalog* current = CurrentCatalog();
  if ((current ? current->Language() : "") == tag) return false;
  std::shared_ptr<const Catalog> catalog;
  if (!tag.empty()) {
    if (auto parsed = Catalog::Parse(translations.TranslationCatalog(tag), tag))
      catalog = std::make_shared<const Catalog>(std::move(*parsed));
  }
  SetCurrentCatalog(std::move(catalog));
  return true;
}

void Program::ApplyLanguage() {
  if (!UseChosenLanguage(main.Settings(), platform.ui)) return;
  for (Form* form : std::initializer_list<Form*>{form1.get(), formOptions.get(), formStatistics.get()})
    if (form) form->Retranslate();
}

}  // namespace rp
