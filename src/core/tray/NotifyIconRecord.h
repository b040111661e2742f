#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/Shell.h"

namespace rp {

// Shell_NotifyIconA messages and record flags.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNifInfo = 16;

// The callback message the shell posts to the control's window (WM_USER + 101).
inline constexpr std::uint32_t TRAY_CALLBACK = 1125;

// Characters each text field can carry before its closing NUL.
inline constexpr std::size_t kTipChars = 127;
inline constexpr std::size_t kInfoChars = 255;
inline constexpr std::size_t kInfoTitleChars = 63;

// One notify-icon record. Texts are already in the ANSI code page; Pack() cuts each to its
// field, keeping room for the NUL.
struct NotifyIconRecord {
  std::uintptr_t hWnd = 0;
  std::int32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::string szTip;
  std::string szInfo;
  std::uint32_t uTimeout = 0;
  std::string szInfoTitle;

  // The record in the given layout; by default the one of the program being built.
  NotifyIconBytes Pack(const NotifyIconLayout& layout = kNotifyIconLayout) const;
};

// The first maxChars characters of a UTF-8 text, never splitting a character.
std::string CutToCharacters(std::string_view utf8, std::size_t maxChars);

}  // namespace rp
