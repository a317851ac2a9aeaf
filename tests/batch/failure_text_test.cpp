// The words for every line fault, in the window's table (GBK) and in
// qrbatch's, with the failure's numbers and the system's reason put in.
#include "failure_text.h"

#include <gtest/gtest.h>

#include "from_gbk.h"
#include "gbk_text.h"

namespace batch {
namespace {

LineFailure FailureOf(LineFault fault) {
  LineFailure failure;
  failure.fault = fault;
  if (fault == LineFault::kTooLarge || fault == LineFault::kNoModuleFits) {
    failure.symbolPixels = 232;
    failure.width = 300;
    failure.height = 200;
  }
  if (fault == LineFault::kNameTaken) failure.takenBy = 17;
  return failure;
}

struct Expected {
  LineFault fault;
  const char *window;  // UTF-8 here, GBK from FailureText
  const char *command;
};

TEST(FailureText, EveryFaultInBothTables) {
  const Expected expected[] = {
      {LineFault::kTooLong, "内容过长，版本40在当前纠错级别下也容纳不下",
       "too long for version 40 at this level"},
      {LineFault::kOutsideFolder, "文件名会把文件写到保存位置之外",
       "name leads outside the destination folder"},
      {LineFault::kInvalidName, "不是有效的文件名", "not a valid file name"},
      {LineFault::kTooLarge, "二维码需要 232×232 像素，大于图像 300×200",
       "symbol needs 232x232 px, image is 300x200; use --size 300x232 or larger, or --module "
       "auto"},
      {LineFault::kNameTaken, "文件名已被第 17 行使用，内容不同",
       "the name is already used by line 17"},
      {LineFault::kNoModuleFits,
       "模块只有 1 像素时，二维码连同静区也需要 232×232 像素，大于图像 300×200",
       "symbol and quiet zone need 232x232 px at 1 px a module, image is 300x200; use --size "
       "300x232 or larger"},
      {LineFault::kNotWritten, "文件无法写入", "could not be written"},
      {LineFault::kMissingColumn, "此行缺少所选的列", "the row has no column picked by --columns"},
      {LineFault::kExtraColumns, "列数多于名称、内容、说明三列",
       "more columns than name, content and caption; pick them with --columns"},
      {LineFault::kBadEscape, "转义序列无效", "bad escape"},
      {LineFault::kUnclosedQuote, "引号中的字段没有结束", "a quoted field is not closed"},
      {LineFault::kVerifyFailed, "校验失败", "the image did not read back as its content; removed"},
      {LineFault::kUndecodable, "不是所选编码的有效文本", "not valid text in the input's encoding"},
      {LineFault::kUnrepresentable, "含有 GBK 无法表示的字符",
       "holds a character GBK cannot express"},
      {LineFault::kCaptionTooLong, "说明文字过长，缩到最小字号并换行后仍放不下",
       "caption does not fit under the code, even wrapped at the smallest size"},
      {LineFault::kCodeTooLargeForLabel, "二维码连同静区在标签上放不下",
       "code and quiet zone do not fit the label"},
  };
  ASSERT_EQ(std::size(expected), kLineFaultCount);
  for (const Expected &row : expected) {
    const LineFailure failure = FailureOf(row.fault);
    EXPECT_EQ(qrtext::FromGbk(FailureText(failure, kWindowFailureTexts, qrtext::ToGbk)),
              row.window);
    EXPECT_EQ(FailureText(failure, kCommandFailureTexts), row.command);
  }
  EXPECT_EQ(FailureText(LineFailure(), kCommandFailureTexts), "");
}

TEST(FailureText, TheSystemsReasonIsJoinedAsGiven) {
  LineFailure failure = FailureOf(LineFault::kNotWritten);
  failure.reason = "\xB4\xC5\xC5\xCC%1 full";  // GBK 磁盘 and a '%1' that is no place
  EXPECT_EQ(FailureText(failure, kWindowFailureTexts, qrtext::ToGbk),
            qrtext::ToGbk("文件无法写入：") + "\xB4\xC5\xC5\xCC%1 full");
  EXPECT_EQ(FailureText(failure, kCommandFailureTexts),
            "could not be written (\xB4\xC5\xC5\xCC%1 full)");
}

TEST(TooLargeText, ASquareImageAsksForOneSide) {
  EXPECT_EQ(qrtext::FromGbk(TooLargeText(232, 200, 200, kWindowFailureTexts, qrtext::ToGbk)),
            "二维码需要 232×232 像素，大于图像 200×200");
  EXPECT_EQ(
      TooLargeText(232, 200, 200, kCommandFailureTexts),
      "symbol needs 232x232 px, image is 200x200; use --size 232 or larger, or --module auto");
}

}  // namespace
}  // namespace batch
