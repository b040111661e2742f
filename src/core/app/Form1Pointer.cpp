#include "app/Form1.h"

// Hand-pointer feedback: the hand over the three push buttons (set where they are designed), the
// arrow over the frames and the window's own surface that surround them. A busy window keeps its
// busy pointer.
namespace rp {

void Form1::Frame1_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame2_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame3_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame4_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Frame5_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }
void Form1::Form_MouseMove() { SetPointerUnlessBusy(kDefaultPointer); }

}  // namespace rp
