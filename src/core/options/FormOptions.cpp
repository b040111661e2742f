#include "options/FormOptions.h"

#include <algorithm>
#include <utility>

#include "calendar/CalendarTexts.h"
#include "reminders/BreakSound.h"
#include "runtime/Conversions.h"
#include "settings/Languages.h"
#include "settings/Main.h"
#include "settings/SettingsFile.h"
#include "runtime/Failure.h"

namespace rp {
namespace {

constexpr int kInformationStyle = 64;  // OK button, information icon
// A field's message in dark red, in the system's colours under high contrast.
constexpr std::uint32_t kProblemColour = 0x0000A0;

// The tab strip holds the pages below its row of tabs, each page as tall as the tallest group.
// Wide enough for the six tabs in one row in every language (Russian's are the widest).
constexpr int kClientWidth = 12240;
constexpr int kStripWidth = kClientWidth - 240;
// A page covers the strip's room below the tabs, inside its border.
constexpr int kPageTop = 360;
constexpr TwipsRect kPage{45, kPageTop, kStripWidth - 90, 3780};
constexpr int kStripHeight = kPageTop + kPage.height + 45;
constexpr int kButtonsTop = 120 + kStripHeight + 120;
constexpr int kClientHeight = kButtonsTop + 405 + 120;

}  // namespace

FormOptions::FormOptions(Platform& platform, Main& main, const Options& current, std::function<void()> imported,
                         std::function<bool(Hotkey)> keyAvailable)
    : Form(platform.ui, "FormOptions", FormStyle::FixedDialog, kClientWidth, kClientHeight),
      // One page a group, each named on its tab by its caption; the buttons below the tabs.
      TabStrip1(AddControl(ControlKind::TabStrip, "TabStrip1", nullptr, {120, 120, kStripWidth, kStripHeight}, 125, "")),
      // TRANSLATORS: the captions of the check boxes and labels are one line, about 500 pixels.
      Frame1(AddControl(ControlKind::Frame, "Frame1", &TabStrip1, kPage, 28, TrNoop("Breaks"))),
      Check1(AddControl(ControlKind::CheckBox, "Check1", &Frame1, {120, 300, 7560, 285}, 0,
                        TrNoop("Time away from the computer counts as a break"))),
      Label1(AddControl(ControlKind::Label, "Label1", &Frame1, {480, 720, 3600, 285}, 14,
                        // TRANSLATORS: a label left of a small number box, about 240 pixels.
                        TrNoop("Away after (minutes, 1 to 60):"))),
      Text1(AddControl(ControlKind::TextBox, "Text1", &Frame1, {4140, 660, 900, 345}, 1, "")),
      Check2(AddControl(ControlKind::CheckBox, "Check2", &Frame1, {120, 1140, 7560, 285}, 2,
                        TrNoop("Hold reminders during presentations, full-screen programs and calls"))),
      Check3(AddControl(ControlKind::CheckBox, "Check3", &Frame1, {120, 1560, 7560, 285}, 3,
                        TrNoop("Show the time to the next break in the tray tip"))),
      Frame2(AddControl(ControlKind::Frame, "Frame2", &TabStrip1, kPage, 29,
                        TrNoop("Tray and working hours"))),
      Check4(AddControl(ControlKind::CheckBox, "Check4", &Frame2, {120, 300, 7560, 285}, 4,
                        TrNoop("Right-click on the tray icon opens a menu"))),
      Check5(AddControl(ControlKind::CheckBox, "Check5", &Frame2, {120, 720, 7560, 285}, 5,
                        TrNoop("Show the time to the next break in the tray icon"))),
      Label2(AddControl(ControlKind::Label, "Label2", &Frame2, {120, 1140, 7560, 285}, 15,
                        // TRANSLATORS: keep "08:00-18:00" as it is: the box reads the hours written so.
                        TrNoop("Work hours, e.g. 08:00-18:00 (empty: always):"))),
      Text2(AddControl(ControlKind::TextBox, "Text2", &Frame2, {120, 1440, 2400, 345}, 6, "")),
      Label3(AddControl(ControlKind::Label, "Label3", &Frame2, {2640, 1440, 5040, 480}, 16, "")),
      Label4(AddControl(ControlKind::Label, "Label4", &Frame2, {120, 1980, 7560, 285}, 17,
                        // TRANSLATORS: keep "Mon,Tue,Wed,Thu,Fri" as it is: the box reads the days written so.
                        TrNoop("Work days, e.g. Mon,Tue,Wed,Thu,Fri (empty: every day):"))),
      Text3(AddControl(ControlKind::TextBox, "Text3", &Frame2, {120, 2280, 3600, 345}, 7, "")),
      Label5(AddControl(ControlKind::Label, "Label5", &Frame2, {3840, 2280, 3840, 480}, 18, "")),
      Frame20(AddControl(ControlKind::Frame, "Frame20", &TabStrip1, kPage, 30,
                         TrNoop("Guided Breaks"))),
      Label20(AddControl(ControlKind::Label, "Label20", &Frame20, {120, 360, 5160, 285}, 19,
                         // TRANSLATORS: a label left of a small number box, about 340 pixels.
                         TrNoop("Break length (minutes, 0 to 30; 0: none):"))),
      Text20(AddControl(ControlKind::TextBox, "Text20", &Frame20, {5400, 300, 900, 345}, 8, "")),
      Label21(AddControl(ControlKind::Label, "Label21", &Frame20, {120, 780, 5160, 285}, 20,
                         // TRANSLATORS: a label left of a small number box, about 340 pixels.
                         TrNoop("Postpones and skips a day (0 to 20):"))),
      Text21(AddControl(ControlKind::TextBox, "Text21", &Frame20, {5400, 720, 900, 345}, 9, "")),
      Label22(AddControl(ControlKind::Label, "Label22", &Frame20, {120, 1200, 5160, 285}, 21,
                         // TRANSLATORS: a label left of a small number box, about 340 pixels.
                         TrNoop("Warn before a break (seconds, 0 to 120):"))),
      Text22(AddControl(ControlKind::TextBox, "Text22", &Frame20, {5400, 1140, 900, 345}, 10, "")),
      Check21(AddControl(ControlKind::CheckBox, "Check21", &Frame20, {120, 1620, 7560, 285}, 11,
                         TrNoop("Wait for a pause in typing before a break starts"))),
      Check20(AddControl(ControlKind::CheckBox, "Check20", &Frame20, {120, 2040, 7560, 285}, 12,
                         TrNoop("Eye breaks: look away for 20 seconds every 20 minutes"))),
      Check22(AddControl(ControlKind::CheckBox, "Check22", &Frame20, {120, 2460, 7560, 285}, 40,
                         TrNoop("Show exercises during a break, one at a time"))),
      // TRANSLATORS: keep "exercises.txt" as it is, the name of the user's file.
      Check23(AddControl(ControlKind::CheckBox, "Check23", &Frame20, {480, 2880, 7200, 285}, 41,
                         TrNoop("Only my own exercises (exercises.txt)"))),
      // TRANSLATORS: a label left of a wide box for a sound file's path, about 245 pixels.
      Label23(AddControl(ControlKind::Label, "Label23", &Frame20, {120, 3360, 3720, 285}, 42,
                         TrNoop("Sound at the end of a break:"))),
      Text23(AddControl(ControlKind::TextBox, "Text23", &Frame20, {3960, 3300, 5700, 345}, 43, "")),
      // TRANSLATORS: a button of about 125 pixels that opens a file dialog.
      PushButton23(AddControl(ControlKind::PushButton, "PushButton23", &Frame20, {9780, 3270, 1920, 405}, 44,
                              TrNoop("Browse..."))),
      Frame9(AddControl(ControlKind::Frame, "Frame9", &TabStrip1, kPage, 31, TrNoop("Statistics"))),
      Check9(AddControl(ControlKind::CheckBox, "Check9", &Frame9, {120, 300, 7440, 285}, 13,
                        TrNoop("Keep statistics of breaks and screen time on this computer"))),
      // TRANSLATORS: a group of keys that work from anywhere, whatever program has the focus.
      Frame30(AddControl(ControlKind::Frame, "Frame30", &TabStrip1, kPage, 32, TrNoop("Keyboard"))),
      // Each caption just before its box: a screen reader names the box after it.
      // TRANSLATORS: the four captions left of the key boxes hold two lines of about 215 pixels.
      Label30(AddControl(ControlKind::Label, "Label30", &Frame30, {120, 330, 3240, 450}, 101, TrNoop("Take a Break Now"))),
      Hotkey30(AddControl(ControlKind::HotkeyBox, "Hotkey30", &Frame30, {3480, 300, 2040, 345}, 102, "")),
      Label34(AddControl(ControlKind::Label, "Label34", &Frame30, {5640, 330, 2040, 450}, 103, "")),
      Label31(AddControl(ControlKind::Label, "Label31", &Frame30, {120, 810, 3240, 450}, 104,
                         TrNoop("Pause or Resume Reminders"))),
      Hotkey31(AddControl(ControlKind::HotkeyBox, "Hotkey31", &Frame30, {3480, 780, 2040, 345}, 105, "")),
      Label35(AddControl(ControlKind::Label, "Label35", &Frame30, {5640, 810, 2040, 450}, 106, "")),
      Label32(AddControl(ControlKind::Label, "Label32", &Frame30, {120, 1290, 3240, 450}, 107, TrNoop("Postpone Break"))),
      Hotkey32(AddControl(ControlKind::HotkeyBox, "Hotkey32", &Frame30, {3480, 1260, 2040, 345}, 108, "")),
      Label36(AddControl(ControlKind::Label, "Label36", &Frame30, {5640, 1290, 2040, 450}, 109, "")),
      Label33(AddControl(ControlKind::Label, "Label33", &Frame30, {120, 1770, 3240, 450}, 110, TrNoop("Skip Break"))),
      Hotkey33(AddControl(ControlKind::HotkeyBox, "Hotkey33", &Frame30, {3480, 1740, 2040, 345}, 111, "")),
      Label37(AddControl(ControlKind::Label, "Label37", &Frame30, {5640, 1770, 2040, 450}, 112, "")),
      Frame50(AddControl(ControlKind::Frame, "Frame50", &TabStrip1, kPage, 34, TrNoop("Calendar"))),
      // TRANSLATORS: above a wide box for a file path or a web address; keep ".ics" as it is.
      Label50(AddControl(ControlKind::Label, "Label50", &Frame50, {120, 360, 10380, 285}, 113,
                         TrNoop("Calendar (.ics file or address):"))),
      Text50(AddControl(ControlKind::TextBox, "Text50", &Frame50, {120, 660, 8700, 345}, 114, "")),
      // TRANSLATORS: a button of about 100 pixels that reads the calendar at once.
      PushButton50(AddControl(ControlKind::PushButton, "PushButton50", &Frame50, {8940, 630, 1560, 405}, 115,
                              TrNoop("Check"))),
      Label51(AddControl(ControlKind::Label, "Label51", &Frame50, {120, 1095, 10380, 285}, 116, "")),
      // TRANSLATORS: a page of the Options window: the program's language (and look).
      Frame40(AddControl(ControlKind::Frame, "Frame40", &TabStrip1, kPage, 33, TrNoop("Appearance"))),
      // A row a choice, a label and its list; the rows below the first are kept free for more.
      // TRANSLATORS: a label left of the list of languages, about 95 pixels.
      Label6(AddControl(ControlKind::Label, "Label6", &Frame40, {120, 360, 1440, 285}, 117, TrNoop("Language:"))),
      Combo1(AddControl(ControlKind::ComboBox, "Combo1", &Frame40, {1620, 300, 4200, 345}, 118, "")),
      // TRANSLATORS: a label left of the list of themes, about 95 pixels.
      Label7(AddControl(ControlKind::Label, "Label7", &Frame40, {120, 825, 1440, 285}, 119, TrNoop("Theme:"))),
      Combo2(AddControl(ControlKind::ComboBox, "Combo2", &Frame40, {1620, 765, 4200, 345}, 120, "")),
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {kClientWidth - 3840, kButtonsTop, 1740, 405}, 121,
                             // TRANSLATORS: the four buttons are about 115 pixels wide.
                             TrNoop("OK"))),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {kClientWidth - 1980, kButtonsTop, 1740, 405}, 122,
                             TrNoop("Cancel"))),
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {240, kButtonsTop, 1740, 405}, 123,
                             TrNoop("Export..."))),
      PushButton4(AddControl(ControlKind::PushButton, "PushButton4", nullptr, {2100, kButtonsTop, 1740, 405}, 124,
                             TrNoop("Import..."))),
      platform_(platform),
      main_(main),
      imported_(std::move(imported)),
      keyAvailable_(std::move(keyAvailable)),
      keyBoxes_{&Hotkey30, &Hotkey31, &Hotkey32, &Hotkey33},
      keyProblems_{&Label34, &Label35, &Label36, &Label37},
      current_(current),
      self_(std::make_shared<FormOptions*>(this)) {
  SetDesignFonts(*this);
  // Tabs in the weight Windows gives them: six names side by side in every language.
  TabStrip1.SetFont({"Arial", 9, false});
  Label3.SetForeColor(kProblemColour);
  Label5.SetForeColor(kProblemColour);
  for (Control* problem : keyProblems_) problem->SetForeColor(kProblemColour);
  // A key is told about as soon as it is set, not only at OK.
  for (Control* box : keyBoxes_)
    box->onChange = [this] {
      HotkeyChoices keys;
      ReadKeys(keys);
    };
  // The languages by their own names; English and the display language in the user's.
  std::vector<std::string> languages;
  for (const LanguageChoice& language : kLanguages)
    languages.push_back(language.tag == kSystemLanguage ? Tr(language.ownName) : std::string(language.ownName));
  Combo1.SetEntries(std::move(languages));
  // In the order of ThemeChoice.
  // TRANSLATORS: the themes: the windows light, dark, or light or dark as Windows shows its apps.
  Combo2.SetEntries({Tr("Light"), Tr("Dark"), Tr("Same as Windows")});
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
  PushButton3.onChange = [this] { PushButton3_Click(); };
  PushButton4.onChange = [this] { PushButton4_Click(); };
  PushButton50.onChange = [this] { PushButton50_Click(); };
  PushButton23.onChange = [this] { PushButton23_Click(); };
  SetDefaultButtons(&PushButton1, &PushButton2);
}

FormOptions::~FormOptions() { *self_ = nullptr; }

void FormOptions::Form_Load() {
  SetCaption(Tr(kOptionsCaption));
  ShowChoices(current_);
}

void FormOptions::ShowChoices(const Options& options) {
  Check1.SetValue(options.naturalBreaks ? 1 : 0);
  Text1.SetText(std::to_string(options.awayMinutes));
  Check2.SetValue(options.holdReminders ? 1 : 0);
  Check3.SetValue(options.tipShowsTimeLeft ? 1 : 0);
  Check4.SetValue(options.trayMenu ? 1 : 0);
  Check5.SetValue(options.trayIconShowsProgress ? 1 : 0);
  Text2.SetText(WorkHoursText(options.working));
  Text3.SetText(WorkDaysText(options.working));
  Text20.SetText(std::to_string(options.breakMinutes));
  Text21.SetText(std::to_string(options.skipsADay));
  Text22.SetText(std::to_string(options.warnSeconds));
  Check21.SetValue(options.waitForTypingPause ? 1 : 0);
  Check20.SetValue(options.eyeBreaks ? 1 : 0);
  Check22.SetValue(options.showExercises ? 1 : 0);
  Check23.SetValue(options.ownExercisesOnly ? 1 : 0);
  Text23.SetText(options.breakEndSound);
  Check9.SetValue(options.keepStatistics ? 1 : 0);
  Combo1.SetValue(static_cast<int>(LanguageIndex(options.language)));
  Text50.SetText(options.calendar);
  Combo2.SetValue(static_cast<int>(options.theme));
  for (std::size_t i = 0; i < kKeyActions; ++i) {
    keyBoxes_[i]->SetText(HotkeyText(options.hotkeys[i]));
    main_.ShowWhetherSetByPolicy(*keyBoxes_[i], kHotkeySettings[i]);
  }
  const std::pair<Control*, std::string_view> controls[] = {
      {&Check1, "Natural Breaks"}, {&Text1, "Away Minutes"}, {&Check2, "Hold Reminders"},
      {&Check3, "Tip Shows Time Left"}, {&Check4, "Tray Menu"}, {&Check5, "Tray Icon Shows Progress"},
      {&Text2, "Work Hours"}, {&Text3, "Work Days"}, {&Text20, "Break Length"}, {&Text21, "Skips A Day"},
      {&Text22, "Warn Before Break"}, {&Check21, "Wait For Typing Pause"}, {&Check20, "Eye Breaks"},
      {&Check22, "Show Exercises"}, {&Check23, "Own Exercises"}, {&Text23, "Break End Sound"}, {&PushButton23, "Break End Sound"},
      {&Check9, "Keep Statistics"}, {&Text50, "Calendar"}, {&Combo1, "Language"}, {&Combo2, "Theme"},
  };
  for (const auto& [control, setting] : controls) main_.ShowWhetherSetByPolicy(*control, setting);
}

void FormOptions::PushButton1_Click() {
  Options chosen;
  const struct {
    Control& box;
    int least, most;
    int& value;
    const char* refusal;
  } numbers[] = {
      {Text1, Options::kMinAwayMinutes, Options::kMaxAwayMinutes, chosen.awayMinutes,
       TrNoop("The away time must be a whole number of minutes from 1 to 60.")},
      {Text20, 0, Options::kMaxBreakMinutes, chosen.breakMinutes,
       TrNoop("The break length must be a whole number of minutes from 0 to 30.")},
      {Text21, 0, Options::kMaxSkipsADay, chosen.skipsADay,
       TrNoop("The postpones and skips a day must be a whole number from 0 to 20.")},
      {Text22, 0, Options::kMaxWarnSeconds, chosen.warnSeconds,
       TrNoop("The warning before a break must be a whole number of seconds from 0 to 120.")},
  };
  for (const auto& number : numbers) {
    if (!ParseWholeNumber(number.box.Text(), number.least, number.most, number.value)) {
      platform_.dialogs.MessageBox(Tr(number.refusal), Tr(kOptionsCaption), kErrorStyle);
      number.box.SetFocus();
      return;
    }
  }
  // A value typed wrongly is told beside its field, and nothing is taken until all are right.
  std::string hoursProblem, daysProblem;
  const bool hoursRead = ParseWorkHours(Text2.Text(), chosen.working, hoursProblem);
  const bool daysRead = ParseWorkDays(Text3.Text(), chosen.working, daysProblem);
  Label3.SetText(hoursProblem);
  Label5.SetText(daysProblem);
  const bool keysRead = ReadKeys(chosen.hotkeys);
  if (!hoursRead || !daysRead || !keysRead) {
    // To the first field told about, on whichever page it is.
    const auto wrongKey = std::find_if(keyProblems_.begin(), keyProblems_.end(),
                                       [](const Control* problem) { return !problem->Text().empty(); });
    Control* wrong = !hoursRead ? &Text2 : !daysRead ? &Text3 : keyBoxes_[wrongKey - keyProblems_.begin()];
    wrong->SetFocus();
    return;
  }
  chosen.naturalBreaks = Check1.Value() == 1;
  chosen.holdReminders = Check2.Value() == 1;
  chosen.tipShowsTimeLeft = Check3.Value() == 1;
  chosen.trayMenu = Check4.Value() == 1;
  chosen.trayIconShowsProgress = Check5.Value() == 1;
  chosen.waitForTypingPause = Check21.Value() == 1;
  chosen.eyeBreaks = Check20.Value() == 1;
  chosen.showExercises = Check22.Value() == 1;
  chosen.ownExercisesOnly = Check23.Value() == 1;
  chosen.breakEndSound = std::string(Trimmed(Text23.Text()));
  chosen.keepStatistics = Check9.Value() == 1;
  chosen.calendar = std::string(Trimmed(Text50.Text()));
  chosen.language = kLanguages[static_cast<std::size_t>(std::max(Combo1.Value(), 0))].tag;
  chosen.theme = static_cast<ThemeChoice>(std::max(Combo2.Value(), 0));
  chosen_ = chosen;
  Unload();
}

bool FormOptions::ReadKeys(HotkeyChoices& keys) {
  bool read = true;
  for (std::size_t i = 0; i < kKeyActions; ++i) {
    keys[i] = ParseHotkey(keyBoxes_[i]->Text()).value_or(Hotkey{});
    const auto earlier = keys.begin() + static_cast<std::ptrdiff_t>(i);
    std::string problem;
    if (keys[i].Empty()) {
      // no key, nothing wrong
    } else if (std::find(keys.begin(), earlier, keys[i]) != earlier) {
      // TRANSLATORS: beside a key box, two lines of about 135 pixels: a box above has the same key.
      problem = Tr("Already chosen above");
    } else if (keyAvailable_ && !keyAvailable_(keys[i])) {
      // TRANSLATORS: beside a key box, two lines of about 135 pixels.
      problem = Tr("Used by another program");
    }
    keyProblems_[i]->SetText(problem);
    read = read && problem.empty();
  }
  return read;
}

void FormOptions::PushButton2_Click() { Unload(); }

void FormOptions::PushButton23_Click() {
  const std::string file = platform_.dialogs.OpenFile(Tr(kSoundDialogTitle), Tr(kSoundDialogFilter));
  if (!file.empty()) Text23.SetText(file);  // Cancel keeps what was there
}

void FormOptions::PushButton50_Click() {
  const std::string location(Trimmed(Text50.Text()));
  if (location.empty()) return Label51.SetText("");
  // TRANSLATORS: beside the calendar's box while "Check" reads it
  Label51.SetText(Tr("Reading the calendar..."));
  platform_.fetcher.FetchLater(location, kMaxCalendarBytes, [self = std::weak_ptr<FormOptions*>(self_)](Fetched fetched) {
    const auto alive = self.lock();
    if (!alive || !*alive) return;
    FormOptions& form = **alive;
    const std::int64_t now = UtcOfUserClock(form.platform_.clock.LocalNow(), form.platform_.zones);
    form.Label51.SetText(CheckCalendar(fetched, now, form.platform_.zones).text);
  });
}

void FormOptions::PushButton3_Click() {
  Dialogs& dialogs = platform_.dialogs;
  try {
    const std::string path = dialogs.SaveFile(Tr("Export Settings"), kSettingsFileFilter, kSettingsFileName);
    if (path.empty()) return;
    const ExportResult result = ExportSettings(main_.Settings(), platform_.files, path);
    dialogs.MessageBox(DescribeExport(result, path), Tr(kOptionsCaption),
                       result.written ? kInformationStyle : kErrorStyle);
  } catch (const Failure& failure) {
    dialogs.MessageBox(failure.what(), Tr(kOptionsCaption), kErrorStyle);
  }
}

void FormOptions::PushButton4_Click() {
  Dialogs& dialogs = platform_.dialogs;
  try {
    const std::string path = dialogs.OpenFile(Tr("Import Settings"), kSettingsFileFilter);
    if (path.empty()) return;
    const ImportResult result = ImportSettings(main_.Settings(), platform_.files, path);
    // In use at once, this window's choices included, before the report.
    if (result.stored > 0 && imported_) imported_();
    const bool clean = result.refusal.empty() && result.problems.empty();
    dialogs.MessageBox(DescribeImport(result, path), Tr(kOptionsCaption), clean ? kInformationStyle : kErrorStyle);
  } catch (const Failure& failure) {
    dialogs.MessageBox(failure.what(), Tr(kOptionsCaption), kErrorStyle);
  }
}

}  // namespace rp
