#include "app/Form1.h"
#include "app/Program.h"

namespace rp {

// Closing comes with the close work; until then the platform ends the program.
void Form1::Form_QueryUnload(int&, int) { program.platform.loop.EndProgram(); }

}  // namespace rp
