#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/Globals.h"
#include "settings/Main.h"
#include "settings/Options.h"
#include "ports/Platform.h"
#include "tray/mSysTray.h"

namespace rp {

class Form1;
class Form2;
class FormOptions;
class FormStatistics;
class StatisticsKeeper;

// The translation a language choice ("de", "system", "") calls for, given the display language:
// its tag, or "" for English.
std::string CatalogTag(std::string_view chosen, std::string_view displayLanguage);
// Puts the texts into the language the settings choose (a policy's first), with or without a
// window; true when it changed.
bool UseChosenLanguage(ManagedSettings& settings, Translations& translations);

// The running program: its modules and its windows.
class Program {
 public:
  explicit Program(Platform& platform);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the main window, runs its start-up and shows it.
  void Start();
  // Reads the chosen language, loads its catalog and puts the open windows into it.
  void ApplyLanguage();
  // The break window as a break opens it: it stays as long as the minutes box says, and
  // `closed` is told when it has gone.
  std::unique_ptr<Form2> NewForm2(std::function<void()> closed = {});
  // The Options window, modal over the main window, showing `current`; `imported` is told of
  // settings imported meanwhile. The choices made, stored; nothing when cancelled, or when the
  // window is still up (a request that arrives while it is closing would replace it under its
  // own wait).
  std::optional<Options> ChooseOptions(const Options& current, std::function<void()> imported);
  // The Statistics window, modal over the main window, unless it is still up.
  void ShowStatistics(StatisticsKeeper& statistics);

  Platform& platform;
  Main main;
  Globals globals;
  SysTrayModule mSysTray{platform.shell};
  Theme theme{platform.ui, kDarkPalette};
  std::unique_ptr<Form1> form1;
  // The break window, made afresh at every break.
  std::unique_ptr<Form2> form2;
  // The Options window while it is up.
  std::unique_ptr<FormOptions> formOptions;
  // The Statistics window while it is up.
  std::unique_ptr<FormStatistics> formStatistics;
};

}  // namespace rp
