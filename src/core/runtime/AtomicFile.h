#pragma once
#include <string_view>

#include "ports/Files.h"

namespace rp {

// Writes the whole file in one step: the content goes into a new file beside it, which then
// replaces the old one, so a failure at any point (a full disk, a crash, a lost power) leaves
// the old file or the new one, never a torn one. Makes the folder when it is missing.
bool WriteFileInOneStep(Files& files, std::string_view path, std::string_view content);

}  // namespace rp
