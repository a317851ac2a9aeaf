// Progress texts, the version list and the GBK conversion.
#include <gtest/gtest.h>

#include "from_gbk.h"
#include "gbk_text.h"
#include "progress_text.h"
#include "version_items.h"

namespace qrapp {
namespace {

std::vector<int> Widths(int total) {
  std::vector<int> widths;
  for (int done = 1; done <= total; ++done) widths.push_back(ProgressBarWidth(done, total));
  return widths;
}

std::vector<std::string> Percents(int total) {
  std::vector<std::string> texts;
  for (int width : Widths(total)) texts.push_back(PercentText(width));
  return texts;
}

TEST(Progress, ThreeLines) {
  EXPECT_EQ(Widths(3), (std::vector<int>{66, 133, 200}));
  EXPECT_EQ(Percents(3), (std::vector<std::string>{"33%", "66.5%", "100%"}));
}

TEST(Progress, SevenLines) {
  EXPECT_EQ(Widths(7), (std::vector<int>{28, 57, 85, 114, 142, 171, 200}));
  EXPECT_EQ(Percents(7),
            (std::vector<std::string>{"14%", "28.5%", "42.5%", "57%", "71%", "85.5%", "100%"}));
}

TEST(Progress, LargeCountsNeverOverflow) {
  EXPECT_EQ(ProgressBarWidth(2000000000, 2000000000), 200);
  EXPECT_EQ(ProgressBarWidth(1, 2000000000), 0);
  EXPECT_EQ(PercentText(0), "0%");
  EXPECT_EQ(PercentText(1), "0.5%");
}

TEST(VersionItems, AutomaticThenFortyVersionsWithTheirSides) {
  const std::vector<std::string> items = VersionItems();
  ASSERT_EQ(items.size(), 41u);
  EXPECT_EQ(items[0], "自动");
  EXPECT_EQ(items[1], "版本_1   21×21");
  EXPECT_EQ(items[7], "版本_7   45×45");
  EXPECT_EQ(items[40], "版本_40   177×177");
  // "×" is the multiplication sign (U+00D7), not the letter x.
  EXPECT_NE(items[1].find("\xC3\x97"), std::string::npos);
}

TEST(GbkText, ConvertsWhateverTheLocale) {
  EXPECT_EQ(qrtext::ToGbk("测试数据"), "\xB2\xE2\xCA\xD4\xCA\xFD\xBE\xDD");
  EXPECT_EQ(qrtext::FromGbk("\xB2\xE2\xCA\xD4\xCA\xFD\xBE\xDD"), "测试数据");
  EXPECT_EQ(qrtext::ToGbk("abc 123"), "abc 123");
  EXPECT_EQ(qrtext::FromGbk(qrtext::ToGbk("未检测到你输入了内容")), "未检测到你输入了内容");
  EXPECT_EQ(qrtext::ToGbk(""), "");
}

}  // namespace
}  // namespace qrapp
