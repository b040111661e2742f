#include "app/Conversions.h"
#include "app/Failure.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "schedule/modReminder.h"

namespace rp {

void Form1::Text1_Change() {
  program.main.SaveSetting("Text1", Text1.Text());
  try {
    ReadInterval();
  } catch (const Failure&) {
    // A number of minutes that does not fit 16 bits: it is stored as typed, and the period
    // keeps its previous length until the text is corrected.
    program.platform.dialogs.MessageBox(
        "The number of minutes must be a whole number from -32768 to 32767.\r\n"
        "Breaks keep their previous interval until the number is corrected.",
        kProductName, kErrorStyle);
  }
}

void Form1::ReadInterval() {
  if (IsNumeric(Text1.Text())) {
    IntervalSeconds = MinutesToSeconds(ToInteger16(Text1.Text()));
  } else {
    IntervalSeconds = 60;
    Text1.SetText("1");
  }
}

}  // namespace rp
