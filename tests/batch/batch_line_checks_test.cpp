// Splitting a line into name and content, whether a symbol fits its image,
// and the checks of a line in their order.
#include <gtest/gtest.h>

#include "batch_file_name.h"
#include "gbk_text.h"
#include "image_fit.h"
#include "line_check.h"
#include "line_parts.h"

namespace batch {
namespace {

void ExpectParts(const std::string &line, const std::string &name, const std::string &content) {
  const LineParts parts = SplitNameAndContent(line);
  EXPECT_EQ(parts.name, name) << line;
  EXPECT_EQ(parts.content, content) << line;
}

TEST(SplitNameAndContent, TheFirstTabSeparatesNameFromContent) {
  ExpectParts("p1\thttps://example.com/p?id=42", "p1", "https://example.com/p?id=42");
  ExpectParts("\tcontent", "", "content");
  ExpectParts("name\t", "name", "");
  ExpectParts("\t", "", "");
  ExpectParts("a\tb\tc", "a", "b\tc");
  ExpectParts("a\t\tb", "a", "\tb");
}

TEST(SplitNameAndContent, ALineWithoutTabIsBothNameAndContent) {
  ExpectParts("20210706001", "20210706001", "20210706001");
  ExpectParts("", "", "");
  ExpectParts(" x ", " x ", " x ");
  const std::string chinese = qrtext::ToGbk("测试数据");
  ExpectParts(chinese, chinese, chinese);
}

TEST(SplitNameAndContent, ATabAfterAHighByteStillSeparates) {
  // 0x09 is never the second byte of a GBK character.
  ExpectParts("\x80\tx", "\x80", "x");
  ExpectParts("\xB2\xE2\t\xFE", "\xB2\xE2", "\xFE");
  ExpectParts("\xFE\tz", "\xFE", "z");
  const std::string name = qrtext::ToGbk("产品一");
  ExpectParts(name + "\thttps://example.com/" + name, name, "https://example.com/" + name);
}

TEST(SplitNameAndContent, TheNamePartFollowsEveryNamingRule) {
  EXPECT_EQ(MakeBatchFileName("D:\\out", SplitNameAndContent("sub\\a\thttp://x/y").name).path,
            "D:\\out\\sub\\a.jpg");
  EXPECT_EQ(MakeBatchFileName("D:\\out", SplitNameAndContent("a:b\tc").name).fault,
            NameFault::kInvalidName);
  EXPECT_EQ(MakeBatchFileName("D:\\out", SplitNameAndContent("..\\a\tc").name).fault,
            NameFault::kOutsideFolder);
  // Without a TAB the URL is the name, and no valid one.
  EXPECT_EQ(MakeBatchFileName("D:\\out", SplitNameAndContent("https://x/y").name).fault,
            NameFault::kInvalidName);
}

TEST(MakeBatchFileName, TheExtensionIsTheCallers) {
  EXPECT_EQ(MakeBatchFileName("/tmp/o", "a\\b", '/', ".png").path, "/tmp/o/a/b.png");
  EXPECT_EQ(MakeBatchFileName("D:\\out", "a", '\\', "").path, "D:\\out\\a");
}

TEST(SymbolFitsImage, EqualFitsOnePixelMoreDoesNot) {
  EXPECT_TRUE(SymbolFitsImage(200, 200, 200));
  EXPECT_FALSE(SymbolFitsImage(201, 200, 200));
  EXPECT_TRUE(SymbolFitsImage(168, 200, 200));
  EXPECT_FALSE(SymbolFitsImage(232, 200, 200));
}

TEST(SymbolFitsImage, EitherSideTooSmallIsTooSmall) {
  EXPECT_FALSE(SymbolFitsImage(200, 300, 199));  // height alone
  EXPECT_FALSE(SymbolFitsImage(200, 199, 300));  // width alone
  EXPECT_TRUE(SymbolFitsImage(200, 300, 200));
  EXPECT_TRUE(SymbolFitsImage(200, 200, 300));
}

TEST(SymbolFitsImage, NoSymbolOrNoImageNeverFits) {
  EXPECT_FALSE(SymbolFitsImage(0, 200, 200));
  EXPECT_FALSE(SymbolFitsImage(-8, 200, 200));
  EXPECT_FALSE(SymbolFitsImage(168, 0, 0));
  EXPECT_FALSE(SymbolFitsImage(168, -200, 200));
}

TEST(CheckLine, ChecksInOrderAndClaimsOnlyALineThatPasses) {
  BatchNames names;
  const ImageSize image{200, 200};
  int asked = 0;
  const auto pixels = [&asked](int value) {
    return std::function<int()>([&asked, value] { return ++asked, value; });
  };
  // A refused name is never measured.
  EXPECT_EQ(CheckLine(MakeBatchFileName("D:\\out", "CON"), "x", image, 1, pixels(168), names).fault,
            LineFault::kInvalidName);
  EXPECT_EQ(asked, 0);
  const BatchFileName name = MakeBatchFileName("D:\\out", "a");
  EXPECT_EQ(CheckLine(name, "x", image, 2, pixels(0), names).fault, LineFault::kTooLong);
  const LineFailure tooLarge = CheckLine(name, "y", image, 3, pixels(232), names);
  EXPECT_EQ(tooLarge.fault, LineFault::kTooLarge);
  EXPECT_EQ(tooLarge.symbolPixels, 232);
  // Neither claimed the name: line 4 gets it, and its key is every spelling's.
  uint64_t key = 0;
  EXPECT_EQ(CheckLine(name, "z", image, 4, pixels(168), names, &key).fault, LineFault::kNone);
  EXPECT_EQ(key, names.NameKey("d:/OUT/A.JPG"));
  const LineFailure taken =
      CheckLine(MakeBatchFileName("D:\\out", "A"), "w", image, 5, pixels(168), names);
  EXPECT_EQ(taken.fault, LineFault::kNameTaken);
  EXPECT_EQ(taken.takenBy, 4);
  EXPECT_EQ(asked, 4);
}

}  // namespace
}  // namespace batch
