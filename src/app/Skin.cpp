#include "app/Form1.h"
#include "app/Main.h"

namespace rp {

// The skin engine comes later; without it no skin is applied.
void Main::ApplySkin(Form1&) {}

}  // namespace rp
