#include "tray/NotifyIconRecord.h"

#include <algorithm>

namespace rp {
namespace {

void PutU32(NotifyIconBytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The text and a NUL, cut to fit a field of fieldSize bytes; the rest stays zero.
void PutText(NotifyIconBytes& bytes, std::size_t offset, std::size_t fieldSize,
             std::string_view text) {
  const std::size_t length = std::min(text.size(), fieldSize - 1);
  std::copy_n(text.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

NotifyIconBytes NotifyIconRecord::Pack() const {
  NotifyIconBytes bytes{};
  PutU32(bytes, 0, kNotifyIconRecordSize);
  PutU32(bytes, 4, static_cast<std::uint32_t>(hWnd));
  PutU32(bytes, 8, static_cast<std::uint32_t>(uID));
  PutU32(bytes, 12, uFlags);
  PutU32(bytes, 16, uCallbackMessage);
  PutU32(bytes, 20, static_cast<std::uint32_t>(hIcon));
  PutText(bytes, 24, 128, szTip);
  // dwState and dwStateMask at 152 and 156 stay 0.
  PutText(bytes, 160, 256, szInfo);
  PutU32(bytes, 416, uTimeout);
  PutText(bytes, 420, 64, szInfoTitle);
  // dwInfoFlags at 484 stays 0: a balloon without an icon.
  return bytes;
}

std::string CutToCharacters(std::string_view utf8, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
    if (!continuation && chars++ == maxChars) return std::string(utf8.substr(0, i));
  }
  return std::string(utf8);
}

}  // namespace rp
