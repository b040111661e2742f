#pragma once

namespace rp {

// State shared by the program's windows.
struct Globals {
  // Set when the break window closes; the break waits on it.
  bool BreakWindowClosed = false;
};

}  // namespace rp
