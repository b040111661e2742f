#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

// The command line: the switches that steer a running copy and those that carry settings,
// what follows each, and what is not understood.
namespace rp::test {
namespace {

TEST(CommandLineTest, EachSwitchAndWhatIsNotUnderstood) {
  using Args = std::vector<std::string>;
  const struct {
    Args arguments;
    Command command;
    const char* notUnderstood;
  } cases[] = {
      {{}, {}, ""},
      {{"/pause", "30"}, {CommandKind::Pause, 30}, ""},
      {{"/PAUSE", "1440"}, {CommandKind::Pause, 1440}, ""},
      {{"/pause", "Tomorrow"}, {CommandKind::PauseUntilTomorrow}, ""},
      {{"/resume"}, {CommandKind::Resume}, ""},
      {{"/break"}, {CommandKind::Break}, ""},
      {{"/Start"}, {CommandKind::Start}, ""},
      {{"/stop"}, {CommandKind::Stop}, ""},
      {{"/export-settings", "C:\\my settings.txt"}, {CommandKind::ExportSettings, 0, "C:\\my settings.txt"}, ""},
      {{"/IMPORT-Settings", "b.txt"}, {CommandKind::ImportSettings, 0, "b.txt"}, ""},
      {{"/pause"}, {}, "/pause"},
      {{"/pause", "0"}, {}, "/pause 0"},
      {{"/pause", "1441"}, {}, "/pause 1441"},
      {{"/pause", "-5"}, {}, "/pause -5"},
      {{"/pause", "30m"}, {}, "/pause 30m"},
      {{"/pause", "00030"}, {}, "/pause 00030"},
      {{"/pause", "30", "/break"}, {}, "/break"},
      {{"/start", "now"}, {}, "now"},
      {{"pause", "30"}, {}, "pause"},
      {{"-stop"}, {}, "-stop"},
      {{"/paws"}, {}, "/paws"},
      {{"/minimized", "whatever"}, {}, "/minimized"},
      {{"-export-settings", "a.txt"}, {}, "-export-settings"},
      {{"/quiet", "/import-settings", "b.txt", "more"}, {}, "/quiet"},
      {{"/import-settings", "b.txt", "more"}, {}, "more"},
      {{"/export-settings"}, {}, "/export-settings"},
      {{"/export-settings", ""}, {}, "/export-settings "},
      {{"/import-settings", "/export-settings", "x"}, {}, "/import-settings /export-settings"},
      {{"/import-settings", "a", "/export-settings", "b"}, {}, "/export-settings"},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    const std::string typed = c.arguments.empty() ? "" : c.arguments[0];
    EXPECT_EQ(line.command, c.command) << typed;
    EXPECT_EQ(line.notUnderstood, c.notUnderstood) << typed;
    // A line not understood, an export and an import run alone; the rest is for the program.
    const bool alone = *c.notUnderstood || c.command.kind == CommandKind::ExportSettings ||
                       c.command.kind == CommandKind::ImportSettings;
    EXPECT_EQ(RunsWithoutWindow(line), alone) << typed;
    // What a second start hands over reads back as the same command.
    if (!alone)
      EXPECT_EQ(ParseCommandLine(SplitArguments(CommandText(line.command))).command, line.command) << typed;
  }
  const std::string message = CommandLineMessage("/paws");
  EXPECT_NE(message.find("\"/paws\""), std::string::npos);
  for (const char* accepted : {"/pause MINUTES", "/pause tomorrow", "/resume", "/break", "/start", "/stop",
                               "/export-settings FILE", "/import-settings FILE"})
    EXPECT_NE(message.find(accepted), std::string::npos) << accepted;
  // Its sentences and lines, one a switch, in this order.
  EXPECT_EQ(message,
            "The command line was not understood at \"/paws\". Nothing was changed.\r\n\r\n"
            "The program accepts one of these:\r\n"
            "/pause MINUTES  (pause reminders for 1 to 1440 minutes)\r\n"
            "/pause tomorrow  (pause reminders until 06:00)\r\n"
            "/resume  (resume reminders)\r\n/break  (take a break now)\r\n"
            "/start  (start reminding)\r\n/stop  (stop reminding)\r\n"
            "/export-settings FILE  (write your settings to a file)\r\n"
            "/import-settings FILE  (take the settings in a file)");
}

}  // namespace
}  // namespace rp::test
