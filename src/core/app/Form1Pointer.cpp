#include "app/Form1.h"

// Hand-pointer feedback: the hand over the three push buttons, the arrow over the frames and
// the window's own surface that surround them. A busy window keeps its busy pointer.
namespace rp {

void Form1::SetPointerUnlessBusy(int pointer) {
  if (MousePointer() == kBusyPointer) return;
  SetMousePointer(pointer);
}

void Form1::PushButton3_MouseMove() { SetPointerUnlessBusy(kCustomPointer); }
void Form1::PushButton4_MouseMove() { SetPointerUnlessBusy(kCustomPointer); }
void Form1::PushButton5_MouseMove() { SetPointerUnlessBusy(kCustomPointer); }
void Form1::Frame1_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame2_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame3_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame4_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame5_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Form_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }

}  // namespace rp
