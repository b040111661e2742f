#include <string>
#include <string_view>

#include "app/Form1.h"
#include "settings/Guard.h"
#include "app/Program.h"
#include "runtime/Translation.h"

namespace rp {
namespace {


bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

void Form1::PushButton4_Click() {
  Guard g(program.main, "Form1.PushButton4_Click");
  MediaPlayer& player = sound.Player();
  if (g.Test(100, [&] { return IsBlank(Text2.Text()); })) return;
  if (!g.Test(102, [&] { return program.platform.files.FindOrdinaryFile(Text2.Text()).has_value(); }))
    return;
  g.Step(104, [&] {
    sound.Replaced();
    player.SetLoop(false);
  });
  g.Step(106, [&] { player.Close(); });
  g.Step(108, [&] { player.SetUrl(Text2.Text()); });
}

void Form1::PushButton5_Click() {
  Guard g(program.main, "Form1.PushButton5_Click");
  std::string fileName;
  std::string title;
  std::string filter;
  g.Step(100, [&] { fileName.clear(); });
  g.Step(102, [&] { title = Tr(kSoundDialogTitle); });
  g.Step(104, [&] { filter = Tr(kSoundDialogFilter); });
  g.Step(106, [&] { fileName = program.platform.dialogs.OpenFile(title, filter); });
  if (g.Test(108, [&] { return fileName.empty(); })) return;
  g.Step(110, [&] { Text2.SetText(fileName); });
}

void Form1::Check1_Click() {
  program.main.SaveSetting("Check1", std::to_string(Check1.Value()));
  // Turning the audio reminder off also silences the break sound it started.
  if (Check1.Value() != 1) sound.Stop();
}

}  // namespace rp
