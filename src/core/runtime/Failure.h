#pragma once
#include <stdexcept>

namespace rp {

// A failure inside a handler step. Its text is the short description that the
// "Application Error" box shows on its first line ("Overflow", "Type mismatch").
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace rp
