#pragma once
#include <cstdint>

#include "ports/Ui.h"

namespace rp::sim {

// A loaded icon: only its handle, which tests compare.
class SimPicture : public Picture {
 public:
  SimPicture(std::uintptr_t handle) : handle_(handle) {}
  int Type() const override { return kPictureIcon; }
  std::uintptr_t Handle() const override { return handle_; }

 private:
  std::uintptr_t handle_;
};

}  // namespace rp::sim
