#include "tray/NotifyIconRecord.h"

#include <algorithm>

namespace rp {
namespace {

// Little-endian, `width` bytes.
void Put(NotifyIconBytes& bytes, std::size_t offset, std::uint64_t value, std::size_t width = 4) {
  for (std::size_t i = 0; i < width; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The text and a NUL, cut to fit a field of fieldSize bytes; the rest stays zero.
void PutText(NotifyIconBytes& bytes, std::size_t offset, std::size_t fieldSize,
             std::string_view text) {
  const std::size_t length = std::min(text.size(), fieldSize - 1);
  std::copy_n(text.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

NotifyIconBytes NotifyIconRecord::Pack(const NotifyIconLayout& layout) const {
  NotifyIconBytes bytes(layout.size, 0);
  Put(bytes, 0, layout.size);
  Put(bytes, layout.hWnd, hWnd, layout.handleBytes);
  Put(bytes, layout.uID, static_cast<std::uint32_t>(uID));
  Put(bytes, layout.uFlags, uFlags);
  Put(bytes, layout.uCallbackMessage, uCallbackMessage);
  Put(bytes, layout.hIcon, hIcon, layout.handleBytes);
  PutText(bytes, layout.szTip, 128, szTip);
  // dwState and dwStateMask stay 0.
  PutText(bytes, layout.szInfo, 256, szInfo);
  Put(bytes, layout.uTimeout, uTimeout);
  PutText(bytes, layout.szInfoTitle, 64, szInfoTitle);
  // dwInfoFlags stays 0: a balloon without an icon.
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
