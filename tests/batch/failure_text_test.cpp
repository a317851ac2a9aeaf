// The words for a line fault, in the window's table (GBK) and in qrbatch's,
// with the failure's numbers and the system's reason put in (that every
// fault has words in both tables is a static_assert in failure_texts.h).
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
