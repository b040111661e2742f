#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimFixture.h"
#include "runtime/Failure.h"
#include "startup/RegStuff.h"

namespace rp::test {
namespace {

using Calls = std::vector<std::string>;

const std::string kMachineRun = "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
const std::string kUserRun = "HKCU\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
// Where a 32-bit copy of the program kept its machine-wide value, seen from a 64-bit one.
const std::string kMachineRun32 = "HKLM\\SOFTWARE\\WOW6432NODE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// The calls that clear the 32-bit view, made by the 64-bit program only.
Calls In32BitView(std::string deleted) {
  if (!kProgramIs64Bit) return {};
  return {"open " + kMachineRun + " 0x23F -> 0", "delete RespitePrompter.exe -> " + deleted,
          "close"};
}
Calls operator+(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class StartWithWindowsTest : public SimTest {
 protected:
  // Starts the program and forgets the registry calls made so far.
  void StartClean() {
    Start();
    desktop.registry.calls.clear();
  }
  std::string RunValue(const std::string& key, const std::string& name = "RespitePrompter.exe") {
    const auto* value = desktop.registry.Find(key, name);
    if (!value) return "<absent>";
    EXPECT_EQ(value->type, kRegSz);
    EXPECT_EQ(value->data.back(), 0) << "a REG_SZ carries its terminating zero";
    return value->Text();
  }
};

TEST_F(StartWithWindowsTest, CheckingStoresTheChoiceAndEntersTheProgramMachineWide) {
  // What a 32-bit copy entered before the upgrade names a file that is gone.
  if (kProgramIs64Bit)
    RegStuff::SetKeyValue(desktop.registry, RegistryRoot::LocalMachine,
                          "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
                          "RespitePrompter.exe", "C:\\Program Files (x86)\\Respite\\RespitePrompter.exe",
                          kRegSz);
  StartClean();
  desktop.Click(form().Check4);

  EXPECT_EQ(Stored("Windows Startup"), "On");
  EXPECT_TRUE(form().Check8.Visible());
  EXPECT_EQ(desktop.registry.calls,
            (Calls{"open " + kMachineRun + " 0x3F -> 0",
                   "set RespitePrompter.exe 1 \"C:\\Program Files\\Respite\\RespitePrompter.exe\" -> 0",
                   "close"} +
             In32BitView("0") +
             // a copy left by an earlier per-user fallback would start it twice
             Calls{"open " + kUserRun + " 0x3F -> 0", "delete RespitePrompter.exe -> 2", "close"}));
  EXPECT_EQ(RunValue(kMachineRun), "\"C:\\Program Files\\Respite\\RespitePrompter.exe\"");
  EXPECT_EQ(RunValue(kMachineRun32), "<absent>");
  EXPECT_EQ(RunValue(kUserRun), "<absent>");
}

TEST_F(StartWithWindowsTest, UncheckingHidesTheMinimisedOptionAndRemovesBothEntries) {
  desktop.settings.values["Windows Startup"] = "On";
  desktop.settings.values["Minimized"] = "On";
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser})
    RegStuff::SetKeyValue(desktop.registry, root, RegStuff::kRunKey, "RespitePrompter.exe", "x",
                          kRegSz);
  StartClean();
  ASSERT_EQ(form().Check8.Value(), 1);
  ASSERT_TRUE(form().Check8.Visible());

  desktop.Click(form().Check4);

  EXPECT_EQ(form().Check8.Value(), 0);
  EXPECT_FALSE(form().Check8.Visible());
  EXPECT_EQ(Stored("Minimized"), "Off");
  EXPECT_EQ(Stored("Windows Startup"), "Off");
  EXPECT_EQ(desktop.registry.calls,
            (Calls{"open " + kMachineRun + " 0x3F -> 0", "delete RespitePrompter.exe -> 0", "close"} +
             In32BitView("2") +
             Calls{"open " + kUserRun + " 0x3F -> 0", "delete RespitePrompter.exe -> 0", "close"}));
  EXPECT_EQ(RunValue(kMachineRun), "<absent>");
  EXPECT_EQ(RunValue(kUserRun), "<absent>");
}

TEST_F(StartWithWindowsTest, RestoringTheBoxAtStartUpLeavesTheRegistryAlone) {
  desktop.settings.values["Windows Startup"] = "On";
  Start();
  EXPECT_EQ(form().Check4.Value(), 1);
  EXPECT_TRUE(form().Check8.Visible());
  EXPECT_TRUE(desktop.registry.calls.empty());
  EXPECT_EQ(Stored("Windows Startup"), "On");
}

TEST_F(StartWithWindowsTest, TheRunValueNamesTheRunningProgramInItsFolder) {
  struct Case {
    std::string folder, program, name, data;
  };
  const std::vector<Case> cases{
      // another program listed first in the folder is never the one entered
      {"C:\\Tools", "RespitePrompter.exe", "RespitePrompter.exe", "C:\\Tools\\RespitePrompter.exe"},
      {"C:\\Tools", "zz-respite.exe", "zz-respite.exe", "C:\\Tools\\zz-respite.exe"},
      // a drive root ends in a separator already
      {"D:\\", "RespitePrompter.exe", "RespitePrompter.exe", "D:\\RespitePrompter.exe"},
      // a space anywhere would let Windows start "C:\Program.exe" with arguments
      {"C:\\Program Files\\Respite", "RespitePrompter.exe", "RespitePrompter.exe",
       "\"C:\\Program Files\\Respite\\RespitePrompter.exe\""},
      {"C:\\Tools", "Respite Prompter.exe", "Respite Prompter.exe",
       "\"C:\\Tools\\Respite Prompter.exe\""},
  };
  for (const Case& c : cases) {
    sim::SimDesktop other;
    other.files.programFolder = c.folder;
    other.files.programName = c.program;
    other.files.Add(c.folder + (c.folder.ends_with('\\') ? "" : "\\") + "Aardvark.exe");
    Program program(other.platform);
    other.Run([&] { program.Start(); });
    other.Click(program.form1->Check4);
    const auto* value = other.registry.Find(kMachineRun, c.name);
    ASSERT_NE(value, nullptr) << c.folder << " " << c.program;
    EXPECT_EQ(value->Text(), c.data);
    EXPECT_EQ(other.registry.Find(kMachineRun, "Aardvark.exe"), nullptr);
  }
}

TEST_F(StartWithWindowsTest, AStandardUserIsEnteredInTheirOwnRunKey) {
  desktop.registry.machineWideReadOnly = true;
  StartClean();
  desktop.Click(form().Check4);
  EXPECT_EQ(desktop.registry.calls,
            (Calls{"open " + kMachineRun + " 0x3F -> 5",
                   "create " + kUserRun + " 0x3F -> 0",
                   "set RespitePrompter.exe 1 \"C:\\Program Files\\Respite\\RespitePrompter.exe\" -> 0",
                   "close"}));
  EXPECT_EQ(RunValue(kUserRun), "\"C:\\Program Files\\Respite\\RespitePrompter.exe\"");
  EXPECT_EQ(RunValue(kMachineRun), "<absent>");
  EXPECT_EQ(Stored("Windows Startup"), "On");

  desktop.Click(form().Check4);
  EXPECT_EQ(RunValue(kUserRun), "<absent>");
  EXPECT_EQ(Stored("Windows Startup"), "Off");
}

TEST_F(StartWithWindowsTest, AMachineWideKeyThatCannotBeOpenedFallsBackToTheUserKey) {
  struct Case {
    const char* what;
    bool machineWideReadOnly, machineKeyMissing, userKeyMissing;
  };
  for (const Case& c : {Case{"no machine-wide key", false, true, false},
                        Case{"no user key either: it is created", true, false, true}}) {
    sim::SimDesktop other;
    other.registry.machineWideReadOnly = c.machineWideReadOnly;
    if (c.machineKeyMissing) other.registry.RemoveKey(kMachineRun);
    if (c.userKeyMissing) other.registry.RemoveKey(kUserRun);
    Program program(other.platform);
    other.Run([&] { program.Start(); });
    other.Click(program.form1->Check4);
    const auto* value = other.registry.Find(kUserRun, "RespitePrompter.exe");
    ASSERT_NE(value, nullptr) << c.what;
    EXPECT_EQ(value->Text(), "\"C:\\Program Files\\Respite\\RespitePrompter.exe\"") << c.what;
    EXPECT_EQ(other.registry.Find(kMachineRun, "RespitePrompter.exe"), nullptr) << c.what;
  }
}

TEST(RegStuffTest, WriteTypedValueStoresTextNumbersAndNothingElse) {
  sim::SimRegistry registry;
  const std::string key = "HKCU\\Software\\Test";
  registry.AddKey(key);
  auto opened = registry.OpenKey(RegistryRoot::CurrentUser, "Software\\Test", kKeyReadWrite);
  ASSERT_EQ(opened.status, kRegSuccess);

  EXPECT_EQ(RegStuff::WriteTypedValue(*opened.key, "Text", kRegSz, "abc"), kRegSuccess);
  EXPECT_EQ(registry.Find(key, "Text")->data, (std::vector<std::uint8_t>{'a', 'b', 'c', 0}));

  EXPECT_EQ(RegStuff::WriteTypedValue(*opened.key, "Number", kRegDword, "305419896"), kRegSuccess);
  EXPECT_EQ(registry.Find(key, "Number")->type, kRegDword);
  EXPECT_EQ(registry.Find(key, "Number")->data, (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));
  EXPECT_THROW(RegStuff::WriteTypedValue(*opened.key, "Bad", kRegDword, "12a"), Failure);

  EXPECT_EQ(RegStuff::WriteTypedValue(*opened.key, "Binary", 3, "xyz"), 0);
  EXPECT_EQ(registry.Find(key, "Binary"), nullptr);
}

TEST(RegStuffTest, AMissingKeyIsNeverCreatedWhenOnlyOpened) {
  sim::SimRegistry registry;
  EXPECT_EQ(RegStuff::SetKeyValue(registry, RegistryRoot::LocalMachine, "SOFTWARE\\Nowhere\\",
                                  "v", "d", kRegSz),
            kRegFileNotFound);
  EXPECT_EQ(registry.Find("HKLM\\SOFTWARE\\Nowhere", "v"), nullptr);
  EXPECT_EQ(RegStuff::DeleteKeyValue(registry, RegistryRoot::LocalMachine, "SOFTWARE\\Nowhere\\", "v"),
            kRegFileNotFound);
}

}  // namespace
}  // namespace rp::test
