#include <gtest/gtest.h>

#include <cstring>

#include "sim/SimShell.h"
#include "tray/NotifyIconRecord.h"

namespace rp::test {
namespace {

// The layout written out by hand, offset by offset, little-endian.
NotifyIconBytes Expected(std::uint32_t hWnd, std::uint32_t uID, std::uint32_t flags,
                         std::uint32_t callback, std::uint32_t hIcon, const char* tip,
                         const char* info, std::uint32_t timeout, const char* title) {
  NotifyIconBytes bytes{};
  auto put = [&](std::size_t at, std::uint32_t v) {
    bytes[at] = v & 0xFF, bytes[at + 1] = (v >> 8) & 0xFF, bytes[at + 2] = (v >> 16) & 0xFF,
    bytes[at + 3] = v >> 24;
  };
  put(0, 488), put(4, hWnd), put(8, uID), put(12, flags), put(16, callback), put(20, hIcon);
  std::memcpy(&bytes[24], tip, std::strlen(tip));
  std::memcpy(&bytes[160], info, std::strlen(info));
  put(416, timeout);
  std::memcpy(&bytes[420], title, std::strlen(title));
  return bytes;
}

TEST(NotifyIconRecordTest, EveryFieldLandsAtItsOffset) {
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
  EXPECT_EQ(record.Pack(),
            Expected(0x00020030, 7, 23, 1125, 0x0A0B0C0D, "tip", "info", 30000, "title"));
  EXPECT_EQ(NotifyIconRecord{}.Pack(), Expected(0, 0, 0, 0, 0, "", "", 0, ""));
}

TEST(NotifyIconRecordTest, TextsAreCutToTheirFieldsLeavingTheNul) {
  NotifyIconRecord record;
  record.szTip = std::string(200, 't');
  record.szInfo = std::string(300, 'i');
  record.szInfoTitle = std::string(100, 'h');
  record.uTimeout = 0xFFFFFFFF;
  const sim::SimNotifyCall call{kNimModify, record.Pack(), true};
  EXPECT_EQ(call.szTip(), std::string(127, 't'));
  EXPECT_EQ(call.szInfo(), std::string(255, 'i'));
  EXPECT_EQ(call.szInfoTitle(), std::string(63, 'h'));
  // No text spills into its neighbour.
  EXPECT_EQ(call.U32(152), 0u);  // dwState
  EXPECT_EQ(call.U32(156), 0u);  // dwStateMask
  EXPECT_EQ(call.uTimeout(), 0xFFFFFFFFu);
  EXPECT_EQ(call.U32(484), 0u);  // dwInfoFlags
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
