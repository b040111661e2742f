#include "app/Form1.h"

namespace rp {

void Form1::Check4_Click() {
  // Restoring the box at start-up must not register or unregister the program.
  if (IsLoading) return;
}

}  // namespace rp
