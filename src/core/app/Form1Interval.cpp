#include "runtime/Failure.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "runtime/Translation.h"

namespace rp {

void Form1::Text1_Change() {
  program.main.SaveSetting("Text1", Text1.Text());
  try {
    if (!countdown.ReadMinutes(program.main, Text1.Text(), kDefaultMinutes)) Text1.SetText("1");
  } catch (const Failure&) {
    // A number of minutes that does not fit 16 bits: it is stored as typed, and the period
    // keeps its previous length until the text is corrected. The notice carries the
    // application title, so that it is not taken for the main window.
    const std::string rule = Tr("The number of minutes must be a whole number from -32768 to 32767.");
    const std::string keep = TrPlural(
        // TRANSLATORS: {count} is the period breaks have when none was set before (45)
        "Breaks keep their previous interval ({count} minute if there was none) until the number is corrected.",
        "Breaks keep their previous interval ({count} minutes if there was none) until the number is corrected.",
        kDefaultMinutes);
    program.platform.dialogs.MessageBox(rule + "\r\n" + Fill(keep, {{"count", std::to_string(kDefaultMinutes)}}),
                                        program.main.AppTitle(), kErrorStyle);
  }
}

}  // namespace rp
