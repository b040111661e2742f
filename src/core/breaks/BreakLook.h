#pragma once
#include <cstdint>

namespace rp {

// The colours of the guided break's windows: a calm light blue-grey with dark blue text.
// High-contrast mode puts the system's colours in their place, as it does for every window.
inline constexpr std::uint32_t kCalmBackColour = 0x00F2E8DC;
inline constexpr std::uint32_t kCalmTextColour = 0x005F3A1F;

}  // namespace rp
