#include "integer_of_text.h"

#include <gtest/gtest.h>

#include <climits>

#include "gbk_text.h"

namespace qrapp {
namespace {

TEST(IntegerOfText, AsciiDecimal) {
  EXPECT_EQ(IntegerOfText("200"), 200);
  EXPECT_EQ(IntegerOfText(" 150px"), 150);
  EXPECT_EQ(IntegerOfText("\t 7"), 7);
  EXPECT_EQ(IntegerOfText("abc"), 0);
  EXPECT_EQ(IntegerOfText(""), 0);
  EXPECT_EQ(IntegerOfText("-20"), -20);
  EXPECT_EQ(IntegerOfText("+35"), 35);
  EXPECT_EQ(IntegerOfText("- 5"), 0);
  EXPECT_EQ(IntegerOfText("12 34"), 12);
  EXPECT_EQ(IntegerOfText("007"), 7);
}

TEST(IntegerOfText, FullWidthFormsAreNarrowed) {
  EXPECT_EQ(IntegerOfText("２００"), 200);
  EXPECT_EQ(IntegerOfText("\xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x90"), 200);
  EXPECT_EQ(IntegerOfText("　１５"), 15);   // ideographic space
  EXPECT_EQ(IntegerOfText("－５"), -5);     // full-width minus
  EXPECT_EQ(IntegerOfText("＋５"), 5);      // full-width plus
  EXPECT_EQ(IntegerOfText("12３4"), 1234);  // mixed widths
  EXPECT_EQ(IntegerOfText("３00ｐｘ"), 300);
}

TEST(IntegerOfText, OtherDoubleByteCharactersStopTheNumber) {
  EXPECT_EQ(IntegerOfText("像素200"), 0);
  EXPECT_EQ(IntegerOfText("200像素"), 200);
  // U+FF5F and U+FF00 are outside the narrowed range: not a blank, not a digit.
  EXPECT_EQ(IntegerOfText("\xEF\xBD\x9F"
                          "5"),
            0);
  EXPECT_EQ(IntegerOfText("\xEF\xBC\x80"
                          "5"),
            0);
  // A cut sequence at the end is harmless.
  EXPECT_EQ(IntegerOfText("9\xEF\xBC"), 9);
}

TEST(IntegerOfText, HugeValuesAreClamped) {
  EXPECT_EQ(IntegerOfText("99999999999999999999"), INT_MAX);
  EXPECT_EQ(IntegerOfText("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(IntegerOfText("-2147483648"), INT_MIN);
}

}  // namespace
}  // namespace qrapp
