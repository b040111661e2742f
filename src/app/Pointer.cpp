#include "app/Form1.h"

// Hand-pointer feedback over the buttons.
namespace rp {

void Form1::SetPointerUnlessBusy(int) {}
void Form1::PushButton3_MouseMove() {}
void Form1::PushButton4_MouseMove() {}
void Form1::PushButton5_MouseMove() {}
void Form1::Frame1_MouseMove() {}
void Form1::Frame2_MouseMove() {}
void Form1::Frame3_MouseMove() {}
void Form1::Frame4_MouseMove() {}
void Form1::Frame5_MouseMove() {}
void Form1::Form_MouseMove() {}

}  // namespace rp
