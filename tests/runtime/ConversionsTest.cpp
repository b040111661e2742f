#include <gtest/gtest.h>

#include "runtime/Conversions.h"
#include "runtime/Failure.h"

namespace rp {
namespace {

TEST(ParseNumber, AcceptsWhatTheMinutesBoxMayHold) {
  for (const char* text : {"45", " 45 ", "-5", "+3", "2.5", ".5", "1.", "1,000", "1e3", "1E+2", "7d1"})
    EXPECT_TRUE(IsNumeric(text)) << text;
  for (const char* text : {"", " ", "abc", "1a", "-", ".", "1,", ",1", "1e", "1 2", "--1", "0x10"})
    EXPECT_FALSE(IsNumeric(text)) << text;
  EXPECT_DOUBLE_EQ(*ParseNumber("1,000.5"), 1000.5);
}

TEST(ToInteger16, RoundsHalvesToEven) {
  EXPECT_EQ(ToInteger16("2.5"), 2);
  EXPECT_EQ(ToInteger16("3.5"), 4);
  EXPECT_EQ(ToInteger16("-2.5"), -2);
  EXPECT_EQ(ToInteger16("-3.5"), -4);
  EXPECT_EQ(ToInteger16("2.51"), 3);
  EXPECT_EQ(ToInteger16(" 45 "), 45);
}

TEST(ToInteger16, FailsOutsideSixteenBitsAndOnText) {
  EXPECT_EQ(ToInteger16("32767"), 32767);
  EXPECT_EQ(ToInteger16("-32768"), -32768);
  EXPECT_EQ(ToInteger16("32767.4"), 32767);
  EXPECT_EQ(ToInteger16("-32768.5"), -32768);  // half to even stays in range
  for (const char* text : {"32768", "40000", "32767.5", "-32769", "1e10", "1e400"}) {
    try {
      ToInteger16(text);
      ADD_FAILURE() << text << " converted";
    } catch (const Failure& e) {
      EXPECT_STREQ(e.what(), "Overflow") << text;
    }
  }
  try {
    ToInteger16("x");
    ADD_FAILURE();
  } catch (const Failure& e) {
    EXPECT_STREQ(e.what(), "Type mismatch");
  }
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
  EXPECT_DOUBLE_EQ(LeadingNumber("20"), 20);
  EXPECT_DOUBLE_EQ(LeadingNumber("  1.5 minutes"), 1.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("1 2"), 12);
  EXPECT_DOUBLE_EQ(LeadingNumber("3.2.1"), 3.2);
  EXPECT_DOUBLE_EQ(LeadingNumber("-4x"), -4);
  EXPECT_DOUBLE_EQ(LeadingNumber("2e2"), 200);
  EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("abc 5"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("."), 0);
}

}  // namespace
}  // namespace rp
