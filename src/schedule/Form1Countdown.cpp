#include "app/Form1.h"

// The countdown and the start/stop button come with the scheduling work.
namespace rp {

void Form1::Timer1_Timer() {}
void Form1::PushButton3_Click() {}

}  // namespace rp
