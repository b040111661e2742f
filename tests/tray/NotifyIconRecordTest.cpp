#include <gtest/gtest.h>

#include <cstring>

#include "sim/SimShell.h"
#include "tray/NotifyIconRecord.h"

namespace rp::test {
namespace {

// Both layouts written out by hand, offset by offset, little-endian: the 32-bit program's 488
// bytes and the 64-bit program's 504, where handles take eight bytes and align to eight.
struct Offsets {
  std::size_t size, hWnd, uID, flags, callback, hIcon, tip, info, timeout, title, handle;
};
constexpr Offsets k32{488, 4, 8, 12, 16, 20, 24, 160, 416, 420, 4};
constexpr Offsets k64{504, 8, 16, 20, 24, 32, 40, 176, 432, 436, 8};

NotifyIconBytes Expected(const Offsets& at, std::uint64_t hWnd, std::uint32_t uID,
                         std::uint32_t flags, std::uint32_t callback, std::uint64_t hIcon,
                         const char* tip, const char* info, std::uint32_t timeout,
                         const char* title) {
  NotifyIconBytes bytes(at.size, 0);
  auto put = [&](std::size_t offset, std::uint64_t v, std::size_t width = 4) {
    for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = (v >> (8 * i)) & 0xFF;
  };
  put(0, at.size), put(at.hWnd, hWnd, at.handle), put(at.uID, uID), put(at.flags, flags);
  put(at.callback, callback), put(at.hIcon, hIcon, at.handle);
  std::memcpy(&bytes[at.tip], tip, std::strlen(tip));
  std::memcpy(&bytes[at.info], info, std::strlen(info));
  put(at.timeout, timeout);
  std::memcpy(&bytes[at.title], title, std::strlen(title));
  return bytes;
}

TEST(NotifyIconRecordTest, EveryFieldLandsAtItsOffsetInBothLayouts) {
  NotifyIconRecord record;
  record.hWnd = 0x00020030;
  record.uID = 7;
  record.uFlags = kNifMessage | kNifIcon | kNifTip | kNifInfo;
  record.uCallbackMessage = TRAY_CALLBACK;
  record.hIcon = 0x0A0B0C0D;
  record.szTip = "tip";
  record.szInfo = "info";
  record.uTimeout = 30000;
  record.szInfoTitle = "title";
  EXPECT_EQ(record.Pack(kNotifyIconLayout32),
            Expected(k32, 0x00020030, 7, 23, 1125, 0x0A0B0C0D, "tip", "info", 30000, "title"));
  EXPECT_EQ(NotifyIconRecord{}.Pack(kNotifyIconLayout32),
            Expected(k32, 0, 0, 0, 0, 0, "", "", 0, ""));

  // A 64-bit handle keeps its upper half.
  record.hWnd = 0x0000'7FF0'0002'0030;
  record.hIcon = 0x1122'3344'0A0B'0C0D;
  EXPECT_EQ(record.Pack(kNotifyIconLayout64),
            Expected(k64, 0x0000'7FF0'0002'0030, 7, 23, 1125, 0x1122'3344'0A0B'0C0D, "tip", "info",
                     30000, "title"));
}

TEST(NotifyIconRecordTest, TextsAreCutToTheirFieldsLeavingTheNul) {
  NotifyIconRecord record;
  record.szTip = std::string(200, 't');
  record.szInfo = std::string(300, 'i');
  record.szInfoTitle = std::string(100, 'h');
  record.uTimeout = 0xFFFFFFFF;
  const sim::SimNotifyCall call{kNimModify, record.Pack(), true};
  const NotifyIconLayout& at = call.layout;
  EXPECT_EQ(call.szTip(), std::string(127, 't'));
  EXPECT_EQ(call.szInfo(), std::string(255, 'i'));
  EXPECT_EQ(call.szInfoTitle(), std::string(63, 'h'));
  // No text spills into its neighbour.
  EXPECT_EQ(call.U32(at.dwState), 0u);
  EXPECT_EQ(call.U32(at.dwStateMask), 0u);
  EXPECT_EQ(call.uTimeout(), 0xFFFFFFFFu);
  EXPECT_EQ(call.U32(at.dwInfoFlags), 0u);
}

TEST(NotifyIconRecordTest, CuttingCountsCharactersNotBytes) {
  const struct {
    const char* text;
    std::size_t max;
    const char* cut;
  } cases[] = {
      {"abc", 5, "abc"},
      {"abc", 2, "ab"},
      {"abc", 0, ""},
      {"caf\xC3\xA9s", 4, "caf\xC3\xA9"},         // é is two bytes, one character
      {"\xE2\x82\xAC\xE2\x82\xAC", 1, "\xE2\x82\xAC"},  // € is three
      {"\xF0\x9F\x98\x80x", 1, "\xF0\x9F\x98\x80"},     // and an emoji four
  };
  for (const auto& c : cases) EXPECT_EQ(CutToCharacters(c.text, c.max), c.cut) << c.text;
}

}  // namespace
}  // namespace rp::test
