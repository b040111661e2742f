#include "schedule/FormOptions.h"

#include "app/Form1.h"
#include "app/Main.h"
#include "app/Program.h"
#include "app/SettingsFile.h"
#include "runtime/Failure.h"

namespace rp {
namespace {

constexpr int kInformationStyle = 64;  // OK button, information icon

}  // namespace

FormOptions::FormOptions(Program& program, const Options& current)
    : Form(program.platform.ui, "FormOptions", FormStyle::FixedDialog, 8040, 2670),
      program(program),
      Check1(AddControl(ControlKind::CheckBox, "Check1", nullptr, {240, 240, 7560, 285}, 0,
                        "Time away from the computer counts as a break")),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {600, 660, 3600, 285}, 6,
                        "Away after (minutes, 1 to 60):")),
      Text1(AddControl(ControlKind::TextBox, "Text1", nullptr, {4260, 600, 900, 345}, 1, "")),
      Check2(AddControl(ControlKind::CheckBox, "Check2", nullptr, {240, 1140, 7560, 285}, 2,
                        "Hold reminders during presentations, full-screen programs and calls")),
      Check3(AddControl(ControlKind::CheckBox, "Check3", nullptr, {240, 1560, 7560, 285}, 3,
                        "Show the time to the next break in the tray tip")),
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {4200, 2100, 1740, 405}, 4, "OK")),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {6060, 2100, 1740, 405}, 5, "Cancel")),
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {240, 2100, 1740, 405}, 7, "Export...")),
      PushButton4(AddControl(ControlKind::PushButton, "PushButton4", nullptr, {2100, 2100, 1740, 405}, 8, "Import...")),
      current_(current) {
  SetDesignFonts(*this);
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
  PushButton3.onChange = [this] { PushButton3_Click(); };
  PushButton4.onChange = [this] { PushButton4_Click(); };
  SetDefaultButtons(&PushButton1, &PushButton2);
}

FormOptions::~FormOptions() = default;

void FormOptions::Form_Load() {
  SetCaption(std::string(kOptionsCaption));
  ShowChoices(current_);
}

void FormOptions::ShowChoices(const Options& options) {
  Check1.SetValue(options.naturalBreaks ? 1 : 0);
  Text1.SetText(std::to_string(options.awayMinutes));
  Check2.SetValue(options.holdReminders ? 1 : 0);
  Check3.SetValue(options.tipShowsTimeLeft ? 1 : 0);
  Main& main = program.main;
  main.ShowWhetherSetByPolicy(Check1, "Natural Breaks");
  main.ShowWhetherSetByPolicy(Text1, "Away Minutes");
  main.ShowWhetherSetByPolicy(Check2, "Hold Reminders");
  main.ShowWhetherSetByPolicy(Check3, "Tip Shows Time Left");
}

void FormOptions::PushButton1_Click() {
  Options chosen;
  if (!ParseAwayMinutes(Text1.Text(), chosen.awayMinutes)) {
    program.platform.dialogs.MessageBox("The away time must be a whole number of minutes from 1 to 60.",
                                        kOptionsCaption, kErrorStyle);
    return;
  }
  chosen.naturalBreaks = Check1.Value() == 1;
  chosen.holdReminders = Check2.Value() == 1;
  chosen.tipShowsTimeLeft = Check3.Value() == 1;
  chosen_ = chosen;
  Unload();
}

void FormOptions::PushButton2_Click() { Unload(); }

void FormOptions::PushButton3_Click() {
  Dialogs& dialogs = program.platform.dialogs;
  try {
    const std::string path = dialogs.SaveFile("Export Settings", kSettingsFileFilter, kSettingsFileName);
    if (path.empty()) return;
    const ExportResult result = ExportSettings(program.main.Settings(), program.platform.files, path);
    dialogs.MessageBox(DescribeExport(result, path), kOptionsCaption, result.written ? kInformationStyle : kErrorStyle);
  } catch (const Failure& failure) {
    dialogs.MessageBox(failure.what(), kOptionsCaption, kErrorStyle);
  }
}

void FormOptions::PushButton4_Click() {
  Dialogs& dialogs = program.platform.dialogs;
  try {
    const std::string path = dialogs.OpenFile("Import Settings", kSettingsFileFilter);
    if (path.empty()) return;
    const ImportResult result = ImportSettings(program.main.Settings(), program.platform.files, path);
    // In use at once, this window's choices included, before the report.
    if (result.stored > 0) program.form1->ReloadSettings();
    const bool clean = result.refusal.empty() && result.problems.empty();
    dialogs.MessageBox(DescribeImport(result, path), kOptionsCaption, clean ? kInformationStyle : kErrorStyle);
  } catch (const Failure& failure) {
    dialogs.MessageBox(failure.what(), kOptionsCaption, kErrorStyle);
  }
}

}  // namespace rp
