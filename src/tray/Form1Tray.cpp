#include "app/Form1.h"

// Minimise to the tray and restore come with the tray work.
namespace rp {

void Form1::Form_Resize() {}
void Form1::cSysTray1_MouseUp(int, std::int32_t) {}

}  // namespace rp
