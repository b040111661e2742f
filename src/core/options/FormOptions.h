#pragma once
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "ports/Platform.h"
#include "runtime/Form.h"
#include "runtime/Translation.h"
#include "settings/Options.h"

namespace rp {

class Main;

inline constexpr std::string_view kOptionsCaption = TrNoop("Options");

// The modal "Options" window, opened from the main window's system menu. OK hands back the
// choices (the caller stores them); Cancel, Esc and the close box leave everything as it was.
// Export... writes the stored settings to a file, Import... stores a file's at once.
class FormOptions : public Form {
 public:
  // `imported`: settings were imported and stored; they are to be taken into use at once.
  // `keyAvailable`: whether a key may be registered for this program (none given: every key).
  FormOptions(Platform& platform, Main& main, const Options& current, std::function<void()> imported,
              std::function<bool(Hotkey)> keyAvailable = {});
  ~FormOptions() override;

  // A tab strip with a page (a frame) a concern; OK, Cancel, Export... and Import... below it.
  Control& TabStrip1;
  Control& Frame1;  // breaks
  Control& Check1;  // natural breaks
  Control& Label1;
  Control& Text1;   // away minutes
  Control& Check2;  // hold reminders
  Control& Check3;  // time left in the tray tip
  Control& Frame2;  // tray and working hours
  Control& Check4;  // the tray icon's menu
  Control& Check5;  // the tray icon shows the period
  Control& Label2;
  Control& Text2;   // work hours
  Control& Label3;  // what is wrong with the work hours
  Control& Label4;
  Control& Text3;   // work days
  Control& Label5;  // what is wrong with the work days
  Control& Frame20;  // guided breaks
  Control& Label20;
  Control& Text20;   // break length
  Control& Label21;
  Control& Text21;   // skips a day
  Control& Label22;
  Control& Text22;   // seconds of warning before a break
  Control& Check21;  // wait for a pause in typing
  Control& Check20;  // eye breaks
  Control& Check22;  // exercises in the break
  Control& Check23;  // the user's own exercises alone
  Control& Label23;
  Control& Text23;        // the sound at a guided break's end
  Control& PushButton23;  // Browse...
  Control& Frame9;  // statistics
  Control& Check9;  // keep statistics
  Control& Frame30;  // keyboard: a caption, a hot key box and what is wrong with its key, a row each
  Control& Label30;
  Control& Hotkey30;  // take a break now
  Control& Label34;
  Control& Label31;
  Control& Hotkey31;  // pause or resume
  Control& Label35;
  Control& Label32;
  Control& Hotkey32;  // postpone the break
  Control& Label36;
  Control& Label33;
  Control& Hotkey33;  // skip the break
  Control& Label37;
  Control& Frame50;  // calendar
  Control& Label50;
  Control& Text50;        // the calendar's file or address
  Control& PushButton50;  // Check
  Control& Label51;       // what "Check" found
  Control& Frame40;  // appearance
  Control& Label6;
  Control& Combo1;  // language
  Control& Label7;
  Control& Combo2;  // theme
  Control& PushButton1;  // OK
  Control& PushButton2;  // Cancel
  Control& PushButton3;  // Export...
  Control& PushButton4;  // Import...

  void Form_Load() override;
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton3_Click();
  void PushButton4_Click();
  // Chooses the sound at a guided break's end with the break sound's dialog.
  void PushButton23_Click();
  // Reads the calendar in the box in the background and says beside it what it holds.
  void PushButton50_Click();

  // Shows these choices, each one that a policy sets without input.
  void ShowChoices(const Options& options);

  // The choices made, once OK closed the window.
  const std::optional<Options>& Chosen() const { return chosen_; }

 private:
  // Reads the key boxes into `keys`, telling beside each what is wrong with its key; false when
  // one is wrong.
  bool ReadKeys(HotkeyChoices& keys);

  Platform& platform_;
  Main& main_;
  std::function<void()> imported_;
  std::function<bool(Hotkey)> keyAvailable_;
  const std::array<Control*, kKeyActions> keyBoxes_, keyProblems_;
  Options current_;
  std::optional<Options> chosen_;
  std::shared_ptr<FormOptions*> self_;  // what an answer after the window closed finds empty
};

}  // namespace rp
