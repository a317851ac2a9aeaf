#include "failure_text.h"

#include <initializer_list>

#include "gbk_text.h"
#include "ui_texts.h"

namespace qrapp {

namespace {

// The text with %1, %2, ... replaced by the numbers, in GBK ('%' and
// digits are never GBK trail bytes).
std::string WithNumbers(const char *utf8, std::initializer_list<int> numbers) {
  const std::string text = ToGbk(utf8);
  std::string filled;
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const int index = next - '1';
    if (text[i] == '%' && index >= 0 && index < static_cast<int>(numbers.size())) {
      filled += std::to_string(numbers.begin()[index]);
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace

std::string TooLargeText(int symbolPixels, int width, int height) {
  return WithNumbers(text::kFaultTooLarge, {symbolPixels, width, height});
}

std::string FailureText(const LineFailure &failure) {
  switch (failure.fault) {
    case LineFault::kTooLong: return ToGbk(text::kFaultTooLong);
    case LineFault::kOutsideFolder: return ToGbk(text::kFaultOutsideFolder);
    case LineFault::kInvalidName: return ToGbk(text::kFaultInvalidName);
    case LineFault::kTooLarge:
      return TooLargeText(failure.symbolPixels, failure.width, failure.height);
    case LineFault::kNameTaken: return WithNumbers(text::kFaultNameTaken, {failure.takenBy});
    default:
      if (failure.reason.empty()) return ToGbk(text::kFaultNotWritten);
      return ToGbk(text::kFaultNotWritten) + ToGbk(text::kReasonSeparator) + failure.reason;
  }
}

}  // namespace qrapp
