#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimFixture.h"
#include "app/CommandLine.h"
#include "settings/SettingsFile.h"
#include "options/FormOptions.h"
#include "Later.h"

// The user's settings carried to another computer: the file export writes, what import takes
// from it and what it leaves out, the Options window's buttons and the command line.
namespace rp::test {
namespace {

using Values = std::map<std::string, std::string, std::less<>>;
constexpr char kHeader[] = "Periodic Respite Prompter Utility settings, format 1\r\n";

TEST(SettingsFile, AnExportImportedElsewhereGivesTheSameSettingsAndLeavesThatComputersOwnAlone) {
  sim::SimSettings here, there;
  sim::SimFiles files;
  here.values = {{"Text1", "30"},           {"Alarm", "D:\\Sounds\\chime.wav"}, {"Check2", "0"},
                 {"Natural Breaks", "On"},  {"Away Minutes", "7"},              {"StartStopState", "On"},
                 {"Windows Startup", "On"}, {"Minimized", "On"},       {"Work Hours", "08:00-18:00"},
                 {"Break Length", "10"},    {"Paused Until", "2026-12-08 09:30"}, {"Skips Used", "2026-12-08 1"}};
  there.values = {{"Text1", "45"},      {"Check2", "1"},          {"Hold Reminders", "On"},
                  {"StartStopState", "Off"}, {"Eye Breaks", "On"}, {"Paused Until", "2026-12-09 06:00"}};
  ManagedSettings fromHere(here), fromThere(there);

  const ExportResult exported = ExportSettings(fromHere, files, "E:\\carried.txt");
  EXPECT_TRUE(exported.written);
  EXPECT_EQ(exported.count, 16u);
  // The user's values, and the defaults of what the user never changed; what stays on this
  // computer (start with Windows, reminding on or off) and the program's own memory are not carried.
  // An empty default ("always" for the working hours) is carried as it is.
  EXPECT_EQ(*files.ReadFile("E:\\carried.txt"), std::string(kHeader) +
                                                    "Text1=30\r\nAlarm=D:\\Sounds\\chime.wav\r\nCheck1=1\r\n"
                                                    "Check2=0\r\nCheck3=0\r\nNatural Breaks=On\r\nAway Minutes=7\r\n"
                                                    "Hold Reminders=Off\r\nTip Shows Time Left=Off\r\nTray Menu=Off\r\n"
                                                    "Work Hours=08:00-18:00\r\nWork Days=\r\nBreak Length=10\r\n"
                                                    "Skips A Day=3\r\nEye Breaks=Off\r\nKeep Statistics=Off\r\n");
  EXPECT_TRUE(here.writes.empty());

  const ImportResult imported = ImportSettings(fromThere, files, "E:\\carried.txt");
  EXPECT_EQ(imported.refusal, "");
  EXPECT_TRUE(imported.problems.empty());
  EXPECT_EQ(imported.stored, 16u);
  for (const NamedValue& carried : CarriedUserSettings(fromHere)) EXPECT_EQ(there.values[carried.name], carried.value);
  EXPECT_EQ(CarriedUserSettings(fromThere), CarriedUserSettings(fromHere));
  EXPECT_EQ(there.values["StartStopState"], "Off");
  EXPECT_EQ(there.values.count("Windows Startup"), 0u);
  EXPECT_EQ(there.values["Paused Until"], "2026-12-09 06:00");
  EXPECT_EQ(there.values.count("Skips Used"), 0u);

  // A stored value the program could not use stays behind; so does the default sound's path.
  here.values = {{"Check1", "x"}, {"Text1", "1.000"}};
  std::vector<std::string> names;
  for (const NamedValue& carried : CarriedUserSettings(fromHere)) names.push_back(carried.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Check2", "Check3", "Natural Breaks", "Away Minutes", "Hold Reminders",
                                             "Tip Shows Time Left", "Tray Menu", "Work Hours", "Work Days",
                                             "Break Length", "Skips A Day", "Eye Breaks", "Keep Statistics"}));
  files.Add("E:\\locked.txt", {.readOnly = true});
  EXPECT_FALSE(ExportSettings(fromHere, files, "E:\\locked.txt").written);
}

TEST(SettingsFile, AFileThatIsNoSettingsFileStoresNothingAndBadLinesAreListedAndSkipped) {
  const struct {
    const char* what;
    std::string content;
    std::string refusal;
    std::vector<std::string> problems;
    Values stored;
  } cases[] = {
      {"unreadable", "", "the file could not be read", {}, {}},
      {"UTF-16", std::string("\xFF\xFEP\0e\0", 6), "it is not UTF-8 text", {}, {}},
      {"a broken character", std::string(kHeader) + "Alarm=C:\\\xC3(.wav\r\n", "it is not UTF-8 text", {}, {}},
      {"no header", "Text1=30\r\n", "it is not a settings file of this program", {}, {}},
      {"another format", "Periodic Respite Prompter Utility settings, format 2\r\nText1=30\r\n",
       "it is in format 2, and this version reads format 1", {}, {}},
      {"bad lines",
       std::string(kHeader) +
           "Text1=30\r\nChek1=1\r\nStartStopState=On\r\nCheck2=7\r\nText1=31\r\njust words\r\n# a note\r\n\r\n"
           "  Away Minutes = 9 \r\nAllow Exit=Off\r\n",
       "",
       {"line 3: \"Chek1\" is not a setting of this program", "line 4: \"StartStopState\" stays on the computer it was set on",
        "line 5: \"7\" is not a value \"Check2\" takes", "line 6: \"Text1\" is given twice",
        "line 7: \"just words\" is no name=value", "line 11: \"Allow Exit\" stays on the computer it was set on"},
       {{"Text1", "30"}, {"Away Minutes", "9"}}},
      {"a byte order mark and Unix line ends",
       "\xEF\xBB\xBFPeriodic Respite Prompter Utility settings, format 1\nAlarm=C:\\Kl\xC3\xA4nge\\a.wav\nCheck3=1\n",
       "",
       {"\"Check3\" is set by your administrator and stays as it is"},
       {{"Alarm", "C:\\Kl\xC3\xA4nge\\a.wav"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimSettings store;
    store.machinePolicy["Check3"] = "0";
    sim::SimFiles files;
    files.Add("F:\\in.txt", {.content = c.content, .unreadable = c.content.empty()});
    ManagedSettings settings(store);
    const ImportResult result = ImportSettings(settings, files, "F:\\in.txt");
    EXPECT_EQ(result.refusal, c.refusal);
    EXPECT_EQ(result.problems, c.problems);
    EXPECT_EQ(store.values, c.stored);
    EXPECT_EQ(result.stored, c.stored.size());
  }
}

TEST(SettingsFile, TheReportNamesTheFileAndEveryLineLeftOut) {
  ImportResult result;
  result.stored = 2;
  result.problems = {"line 3: \"Chek1\" is not a setting of this program", "line 5: \"7\" is not a value \"Check2\" takes"};
  EXPECT_EQ(DescribeImport(result, "F:\\in.txt"),
            "Imported 2 settings from F:\\in.txt.\r\n\r\nLeft out:\r\n"
            "line 3: \"Chek1\" is not a setting of this program\r\nline 5: \"7\" is not a value \"Check2\" takes");
  result.refusal = "it is not UTF-8 text";
  EXPECT_EQ(DescribeImport(result, "F:\\in.txt"), "Nothing was imported from F:\\in.txt: it is not UTF-8 text.");
  EXPECT_EQ(DescribeExport({true, 9}, "E:\\out.txt"), "Exported 9 settings to E:\\out.txt.");
  EXPECT_EQ(DescribeExport({false, 9}, "E:\\out.txt"), "The settings could not be written to E:\\out.txt.");
}

using SettingsCommandTest = SimTest;

TEST_F(SettingsCommandTest, CommandsAreSilentWhenAllWentWellAndARunningCopyTakesAnImportAtOnce) {
  desktop.settings.values = {{"Text1", "45"}, {"StartStopState", "On"}};
  Start();
  auto run = [&](const std::vector<std::string>& arguments) {
    return RunWithoutWindow(ParseCommandLine(arguments), desktop.settings, desktop.files, desktop.dialogs, desktop);
  };
  const CommandOutcome exported = run({"/export-settings", "E:\\out.txt"});
  EXPECT_EQ(exported.exitCode, 0);
  EXPECT_FALSE(exported.settingsChanged);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
  EXPECT_TRUE(desktop.files.ReadFile("E:\\out.txt")->starts_with(std::string(kHeader) + "Text1=45\r\n"));

  desktop.files.Add("E:\\in.txt", {.content = std::string(kHeader) + "Text1=20\r\nCheck3=1\r\n"});
  const CommandOutcome imported = run({"/import-settings", "E:\\in.txt"});
  EXPECT_EQ(imported.exitCode, 0);
  EXPECT_TRUE(imported.settingsChanged);
  EXPECT_TRUE(desktop.dialogs.boxes.empty());
  desktop.SettingsChanged(form());  // what the running copy is told
  EXPECT_EQ(form().Text1.Text(), "20");
  EXPECT_EQ(form().countdown.IntervalSeconds, 20 * 60);
  EXPECT_EQ(form().Check3.Value(), 1);

  const struct {
    std::vector<std::string> arguments;
    int exitCode;
    bool changed;
    std::string box;
  } failing[] = {
      {{"/import-settings", "E:\\missing.txt"}, 2, false,
       "Nothing was imported from E:\\missing.txt: the file could not be read."},
      {{"/import-settings", "E:\\half.txt"}, 1, true,
       "Imported 1 settings from E:\\half.txt.\r\n\r\nLeft out:\r\nline 3: \"Check1\" is given twice"},
      {{"/export-settings", "E:\\<bad>.txt"}, 2, false, "The settings could not be written to E:\\<bad>.txt."},
      {{"/export-settings"}, 2, false, CommandLineMessage("/export-settings")},
      {{"/paws"}, 2, false, CommandLineMessage("/paws")},
  };
  desktop.files.Add("E:\\half.txt", {.content = std::string(kHeader) + "Check1=0\r\nCheck1=1\r\n"});
  for (const auto& f : failing) {
    desktop.dialogs.boxes.clear();
    const CommandOutcome outcome = run(f.arguments);
    EXPECT_EQ(outcome.exitCode, f.exitCode) << f.box;
    EXPECT_EQ(outcome.settingsChanged, f.changed) << f.box;
    ASSERT_EQ(desktop.dialogs.boxes.size(), 1u) << f.box;
    EXPECT_EQ(desktop.dialogs.boxes[0].text, f.box);
    EXPECT_EQ(desktop.dialogs.boxes[0].title, "Periodic Respite Prompter Utility");
    EXPECT_EQ(desktop.dialogs.boxes[0].style, 48);
  }
}

// They run before any window, yet speak the language the settings choose, a policy's first.
TEST_F(SettingsCommandTest, TheirMessagesAreInTheChosenLanguage) {
  const struct {
    const char* language;
    const char* policy;
    std::vector<std::string> arguments;
    std::string box;
  } cases[] = {
      {"de", nullptr, {"/export-settings", "E:\\<bad>.txt"},
       "Die Einstellungen konnten nicht in E:\\<bad>.txt geschrieben werden."},
      {"de", "fr", {"/paws"}, "La ligne de commande n'a pas été comprise à partir de «\u00a0/paws\u00a0». Rien n'a été modifié."},
      {"system", nullptr, {"/export-settings", "E:\\<bad>.txt"}, "設定を E:\\<bad>.txt に書き込めませんでした。"},
  };
  desktop.displayLanguage = "ja-JP";
  for (const auto& c : cases) {
    desktop.settings.values["Language"] = c.language;
    desktop.settings.machinePolicy.erase("Language");
    if (c.policy) desktop.settings.machinePolicy["Language"] = c.policy;
    desktop.dialogs.boxes.clear();
    RunWithoutWindow(ParseCommandLine(c.arguments), desktop.settings, desktop.files, desktop.dialogs, desktop);
    ASSERT_EQ(desktop.dialogs.boxes.size(), 1u) << c.language;
    EXPECT_EQ(desktop.dialogs.boxes[0].text.substr(0, c.box.size()), c.box);
  }
}

class OptionsExportImportTest : public SimTest {
 protected:
  // Opens the Options window and works it half a second later, as the user would.
  void WithOptions(const std::function<void(FormOptions&)>& work) {
    Later later(desktop, 500, [&] { work(*program->formOptions); });
    desktop.Run([&] { form().UserSystemMenu(0); });
  }
};

TEST_F(OptionsExportImportTest, ExportWritesTheStoredSettingsAndImportTakesThemIntoUseAtOnce) {
  desktop.settings.values = {{"Text1", "45"}, {"StartStopState", "On"}};
  desktop.files.Add("F:\\from the other computer.txt",
                    {.content = std::string(kHeader) + "Text1=20\r\nNatural Breaks=On\r\nCheck1=0\r\n"});
  Start();
  WithOptions([&](FormOptions& window) {
    EXPECT_EQ(window.PushButton3.Text(), "Export...");
    EXPECT_EQ(window.PushButton4.Text(), "Import...");
    desktop.dialogs.saveAnswers.push_back("E:\\mine.txt");
    desktop.Click(window.PushButton3);
    desktop.dialogs.openAnswers.push_back("F:\\from the other computer.txt");
    desktop.Click(window.PushButton4);
    EXPECT_EQ(window.Check1.Value(), 1) << "the window shows the imported choice";
    desktop.Click(window.PushButton2);  // Cancel keeps what was imported
  });
  ASSERT_EQ(desktop.dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(desktop.dialogs.saveRequests[0].title, "Export Settings");
  EXPECT_EQ(desktop.dialogs.saveRequests[0].fileName, "Respite Prompter settings.txt");
  EXPECT_EQ(desktop.dialogs.saveRequests[0].filter, "Settings files (*.txt)|*.txt|All files (*.*)|*.*|");
  EXPECT_TRUE(desktop.files.ReadFile("E:\\mine.txt")->starts_with(std::string(kHeader) + "Text1=45\r\n"));
  ASSERT_EQ(desktop.dialogs.boxes.size(), 2u);
  EXPECT_EQ(desktop.dialogs.boxes[0].text, "Exported 16 settings to E:\\mine.txt.");
  EXPECT_EQ(desktop.dialogs.boxes[1].text, "Imported 3 settings from F:\\from the other computer.txt.");
  EXPECT_EQ(desktop.dialogs.boxes[1].style, 64);

  EXPECT_EQ(form().Text1.Text(), "20");
  EXPECT_EQ(form().countdown.IntervalSeconds, 20 * 60);
  EXPECT_EQ(form().Check1.Value(), 0);
  EXPECT_TRUE(form().considerate.GetOptions().naturalBreaks);
  EXPECT_EQ(Stored("Natural Breaks"), "On");

  // Cancelled dialogs do nothing.
  WithOptions([&](FormOptions& window) {
    desktop.Click(window.PushButton3);
    desktop.Click(window.PushButton4);
    desktop.Click(window.PushButton2);
  });
  EXPECT_EQ(desktop.dialogs.boxes.size(), 2u);
}

}  // namespace
}  // namespace rp::test
