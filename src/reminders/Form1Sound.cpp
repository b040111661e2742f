#include "app/Form1.h"

// The sound test and the sound-file choice come with the audio reminder.
namespace rp {

void Form1::PushButton4_Click() {}
void Form1::PushButton5_Click() {}

}  // namespace rp
