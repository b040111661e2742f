#include "reminders/Form2.h"

#include "app/Program.h"

namespace rp {

Form2::Form2(Program& program)
    : Form(program.platform.ui, "Form2", FormStyle::FixedToolWindow, 8040, 1395), program(program) {}

Form2::~Form2() = default;

}  // namespace rp
