#include "line_splitter.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(SplitLines("测试数据\r\n20210706001\r\n20210706002\r\n"),
            (Lines{"测试数据", "20210706001", "20210706002"}));
}

TEST(SplitLines, EveryCharacterStandsAlone) {
  // The euro sign (0x80 in code page 936) keeps the line end after it.
  EXPECT_EQ(SplitLines("价格 100€\r\n下一行"), (Lines{"价格 100€", "下一行"}));
  EXPECT_EQ(SplitLines("한국어\r\n表情😀\r\n𠮷"), (Lines{"한국어", "表情😀", "𠮷"}));
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
