#include "batch_names.h"

#include <gtest/gtest.h>

#include "gbk_text.h"

namespace qrapp {
namespace {

TEST(BatchNames, ANewNameOrTheSameContentAgainIsFree) {
  BatchNames names;
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "one", 1), 0);
  EXPECT_EQ(names.Claim("D:\\out\\b.jpg", "one", 2), 0);
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "one", 3), 0);
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "two", 4), 1);
  // The failed claim changed nothing: the name still holds line 1's content.
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "one", 5), 0);
  EXPECT_EQ(names.Claim("D:\\out\\b.jpg", "", 6), 2);
}

TEST(BatchNames, NamesAreComparedAsWindowsComparesThem) {
  BatchNames names;
  ASSERT_EQ(names.Claim("D:\\out\\Product.jpg", "x", 1), 0);
  EXPECT_EQ(names.Claim("D:\\out\\PRODUCT.JPG", "y", 2), 1);
  EXPECT_EQ(names.Claim("d:/OUT/product.jpg", "y", 3), 1);

  ASSERT_EQ(names.Claim("D:\\out\\sub\\x.jpg", "x", 4), 0);
  EXPECT_EQ(names.Claim("D:\\out\\sub.\\x.jpg", "y", 5), 4);
  EXPECT_EQ(names.Claim("D:\\out\\SUB . .\\x.jpg", "y", 6), 4);
  EXPECT_EQ(names.Claim("D:\\out\\.\\sub\\\\x.jpg", "y", 7), 4);
  // Dots and blanks inside a name, before its extension, are kept.
  EXPECT_EQ(names.Claim("D:\\out\\sub\\x..jpg", "y", 8), 0);
  EXPECT_EQ(names.Claim("D:\\out\\sub\\x .jpg", "y", 9), 0);
  EXPECT_EQ(names.Claim("D:\\out\\sub\\ x.jpg", "y", 10), 0);
}

TEST(BatchNames, GbkTrailBytesAreNeverFolded) {
  // 0xB2 0x61 and 0xB2 0x41 are two different characters, not one letter in two cases.
  BatchNames names;
  ASSERT_EQ(names.Claim("D:\\out\\\xB2\x61.jpg", "x", 1), 0);
  EXPECT_EQ(names.Claim("D:\\out\\\xB2\x41.jpg", "y", 2), 0);
  // Full-width letters have cases too.
  ASSERT_EQ(names.Claim("D:\\out\\" + ToGbk("ＡＢ") + ".jpg", "x", 5), 0);
  EXPECT_EQ(names.Claim("D:\\out\\" + ToGbk("ａｂ") + ".jpg", "y", 6), 5);
  ASSERT_EQ(names.Claim("D:\\out\\" + ToGbk("Ωя") + ".jpg", "x", 7), 0);
  EXPECT_EQ(names.Claim("D:\\out\\" + ToGbk("ωЯ") + ".jpg", "y", 8), 7);
  EXPECT_EQ(names.Claim("D:\\out\\" + ToGbk("测试") + ".jpg", "x", 9), 0);
  EXPECT_EQ(names.Claim("D:\\out\\" + ToGbk("测验") + ".jpg", "y", 10), 0);
}

TEST(BatchNames, FoldedPathIsOneFormPerFile) {
  EXPECT_EQ(BatchNames::FoldedPath("/tmp/Out/a b. /x.PNG"), "\\TMP\\OUT\\A B\\X.PNG");
  EXPECT_EQ(BatchNames::FoldedPath("D:\\\\a.jpg"), "D:\\A.JPG");
  EXPECT_EQ(BatchNames::FoldedPath("a\\.\\..."), "A");
  // A trail byte 0x5C is no separator: the dots after it end its component.
  EXPECT_EQ(BatchNames::FoldedPath("\x95\x5C..\\b"), "\x95\x5C\\B");
}

TEST(BatchNames, ManyNamesStayApart) {
  BatchNames names;
  for (int i = 1; i <= 100000; ++i) {
    ASSERT_EQ(names.Claim("D:\\out\\" + std::to_string(i) + ".jpg", std::to_string(i), i), 0);
  }
  for (int i = 1; i <= 100000; i += 997) {
    EXPECT_EQ(names.Claim("D:\\out\\" + std::to_string(i) + ".jpg", "other", 0), i);
  }
}

}  // namespace
}  // namespace qrapp
