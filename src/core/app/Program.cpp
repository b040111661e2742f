#include "app/Program.h"

#include "app/Form1.h"
#include "schedule/FormOptions.h"
#include "reminders/BreakWindows.h"
#include "schedule/FormStatistics.h"
#include "schedule/Statistics.h"
#include "reminders/Form2.h"
#include "reminders/FormEyeBreak.h"

namespace rp {

Program::Program(Platform& platform) : platform(platform), main(platform) {}

Program::~Program() = default;

void Program::Start() {
  form1 = std::make_unique<Form1>(*this);
  form1->Show();
}

void Program::ApplyLanguage() {
  // loads the chosen catalog and re-translates the open windows
}

}  // namespace rp
