#include "line_splitter.h"

#include <gtest/gtest.h>

#include "gbk_text.h"

namespace qrapp {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, SeparatorRules) {
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\na"), (Lines{"", "a"}));
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines(" x \r\n"), (Lines{" x "}));
}

TEST(SplitLines, LoneCarriageReturnOrLineFeedStaysInTheLine) {
  EXPECT_EQ(SplitLines("a\nb\rc\r\nd"), (Lines{"a\nb\rc", "d"}));
  EXPECT_EQ(SplitLines("a\r"), (Lines{"a\r"}));
  EXPECT_EQ(SplitLines("a\n\r\r\n"), (Lines{"a\n\r"}));
}

TEST(SplitLines, DefaultInputGivesThreeLines) {
  EXPECT_EQ(SplitLines(ToGbk("测试数据\r\n20210706001\r\n20210706002\r\n")),
            (Lines{ToGbk("测试数据"), "20210706001", "20210706002"}));
}

TEST(SplitLines, NoSeparatorInsideADoubleByteCharacter) {
  // A lead byte takes the next byte with it, even a carriage return.
  EXPECT_EQ(SplitLines("a\xB0\r\nb"), (Lines{"a\xB0\r\nb"}));
  EXPECT_EQ(SplitLines("\xB0\xA1\r\n\xB0\xA1"), (Lines{"\xB0\xA1", "\xB0\xA1"}));
  // A lead byte right before the separator hides its first byte only.
  EXPECT_EQ(SplitLines("\x81\r\r\nz"), (Lines{"\x81\r", "z"}));
}

TEST(SplitLines, EveryByteFrom0x80OnTakesTheNextWithIt) {
  // The box's reading: 0x80 and 0xFF pair up too, unlike code page 936.
  EXPECT_EQ(SplitLines("a\x80\r\nb"), (Lines{"a\x80\r\nb"}));
  EXPECT_EQ(SplitLines("a\xFF\r\nb"), (Lines{"a\xFF\r\nb"}));
  EXPECT_EQ(SplitLines("a\x7F\r\nb"), (Lines{"a\x7F", "b"}));
}

TEST(SplitLines, LeadByteAtTheEndIsKept) {
  EXPECT_EQ(SplitLines("ab\xB0"), (Lines{"ab\xB0"}));
  EXPECT_EQ(SplitLines("a\r\n\xB0"), (Lines{"a", "\xB0"}));
}

TEST(SplitFileLines, LfAndCrLfLineEnds) {
  EXPECT_EQ(SplitFileLines(""), Lines{});
  EXPECT_EQ(SplitFileLines("a\nb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitFileLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitFileLines("a\n\nb\r\n\r\n"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitFileLines("\n"), Lines{""});
  EXPECT_EQ(SplitFileLines("a\rb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitFileLines("[s]\rk=v\r"), (Lines{"[s]", "k=v"}));
  EXPECT_EQ(SplitFileLines(" x \n"), Lines{" x "});
}

}  // namespace
}  // namespace qrapp
