// The words for the line faults, one table per language. A new fault needs
// a row in each table; the static_asserts below hold every table to that.
#pragma once

#include <array>

#include "line_check.h"

namespace batch {

// A text may hold numbered places, filled from the failure's details (the
// same places for every fault, so a new one needs no code):
//   %1 the symbol's side in pixels (with the quiet zone asked), %2 x %3 the
//   image, %4 the smallest image holding the symbol ("232", or "232x300") -
//   kTooLarge, kNoModuleFits;
//   %5 the line that holds the name - kNameTaken.
struct FailureTexts {
  struct Row {
    LineFault fault;
    const char *text;
  };
  std::array<Row, kLineFaultCount> rows;  // the faults after kNone, in their order
  const char *withReason;  // when the system gave a reason: %1 the text above, %2 the reason
};

// True when row i holds the words of the i-th fault after kNone.
constexpr bool CoversEveryFault(const FailureTexts &texts) {
  for (size_t i = 0; i < texts.rows.size(); ++i) {
    if (texts.rows[i].fault != static_cast<LineFault>(i + 1) || texts.rows[i].text == nullptr)
      return false;
  }
  return texts.withReason != nullptr;
}

// The window's words, in UTF-8 here; the window shows them in GBK.
inline constexpr FailureTexts kWindowFailureTexts = {
    {{
        {LineFault::kTooLong, "内容过长，版本40在当前纠错级别下也容纳不下"},
        {LineFault::kOutsideFolder, "文件名会把文件写到保存位置之外"},
        {LineFault::kInvalidName, "不是有效的文件名"},
        {LineFault::kTooLarge, "二维码需要 %1×%1 像素，大于图像 %2×%3"},
        {LineFault::kNameTaken, "文件名已被第 %5 行使用，内容不同"},
        {LineFault::kNoModuleFits,
         "模块只有 1 像素时，二维码连同静区也需要 %1×%1 像素，大于图像 %2×%3"},
        {LineFault::kNotWritten, "文件无法写入"},
        {LineFault::kMissingColumn, "此行缺少所选的列"},
        {LineFault::kExtraColumns, "列数多于名称、内容、说明三列"},
        {LineFault::kBadEscape, "转义序列无效"},
        {LineFault::kUnclosedQuote, "引号中的字段没有结束"},
        {LineFault::kVerifyFailed, "校验失败"},
        {LineFault::kUndecodable, "不是所选编码的有效文本"},
        {LineFault::kUnrepresentable, "含有 GBK 无法表示的字符"},
        {LineFault::kCaptionTooLong, "说明文字过长，缩到最小字号并换行后仍放不下"},
        {LineFault::kCodeTooLargeForLabel, "二维码连同静区在标签上放不下"},
    }},
    "%1：%2",
};
static_assert(CoversEveryFault(kWindowFailureTexts), "a line fault has no words in the window");

// qrbatch's words (ASCII, the same in any console encoding).
inline constexpr FailureTexts kCommandFailureTexts = {
    {{
        {LineFault::kTooLong, "too long for version 40 at this level"},
        {LineFault::kOutsideFolder, "name leads outside the destination folder"},
        {LineFault::kInvalidName, "not a valid file name"},
        {LineFault::kTooLarge,
         "symbol needs %1x%1 px, image is %2x%3; use --size %4 or larger, or --module auto"},
        {LineFault::kNameTaken, "the name is already used by line %5"},
        {LineFault::kNoModuleFits,
         "symbol and quiet zone need %1x%1 px at 1 px a module, image is %2x%3; use --size %4 or "
         "larger"},
        {LineFault::kNotWritten, "could not be written"},
        {LineFault::kMissingColumn, "the row has no column picked by --columns"},
        {LineFault::kExtraColumns,
         "more columns than name, content and caption; pick them with --columns"},
        {LineFault::kBadEscape, "bad escape"},
        {LineFault::kUnclosedQuote, "a quoted field is not closed"},
        {LineFault::kVerifyFailed, "the image did not read back as its content; removed"},
        {LineFault::kUndecodable, "not valid text in the input's encoding"},
        {LineFault::kUnrepresentable, "holds a character GBK cannot express"},
        {LineFault::kCaptionTooLong,
         "caption does not fit under the code, even wrapped at the smallest size"},
        {LineFault::kCodeTooLargeForLabel, "code and quiet zone do not fit the label"},
    }},
    "%1 (%2)",
};
static_assert(CoversEveryFault(kCommandFailureTexts), "a line fault has no words in qrbatch");

}  // namespace batch
