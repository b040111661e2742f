#pragma once
#include <cstdint>
#include <string_view>

#include "ports/Numbers.h"
#include "runtime/Conversions.h"

namespace rp::sim {

// The portable number reading, under the separators a test gives the user's locale.
class SimNumbers : public Numbers {
 public:
  bool IsNumeric(std::string_view text) override { return rp::IsNumeric(text, separators); }
  std::int16_t ToInteger16(std::string_view text) override {
    return rp::ToInteger16(text, separators);
  }

  NumberSeparators separators;
};

}  // namespace rp::sim
