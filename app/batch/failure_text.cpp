#include "failure_text.h"

#include <algorithm>
#include <initializer_list>

namespace batch {

namespace {

std::string Encoded(const char *utf8, TextEncoder encode) {
  return encode ? encode(utf8) : std::string(utf8);
}

// The text with %1, %2, ... replaced by the arguments, in one pass: what
// is put in is never read for places again.
std::string WithArguments(const std::string &text, std::initializer_list<std::string> arguments) {
  std::string filled;
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const int index = next - '1';
    if (text[i] == '%' && index >= 0 && index < static_cast<int>(arguments.size())) {
      filled += arguments.begin()[index];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

std::string Size(int width, int height) {
  return width == height ? std::to_string(width)
                         : std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

std::string FailureText(const LineFailure &failure, const FailureTexts &texts, TextEncoder encode) {
  if (failure.fault == LineFault::kNone) return std::string();
  const std::string text = Encoded(texts.rows[static_cast<size_t>(failure.fault) - 1].text, encode);
  const int width = std::max(failure.width, failure.symbolPixels);
  // With a caption the image must be taller than the symbol by its band.
  const int height = std::max(failure.height, failure.captionBand > 0
                                                  ? SmallestCaptionedHeight(failure.symbolPixels)
                                                  : failure.symbolPixels);
  const std::string said = WithArguments(
      text, {std::to_string(failure.symbolPixels), std::to_string(failure.width),
             std::to_string(failure.height), Size(width, height), std::to_string(failure.takenBy)});
  if (failure.reason.empty()) return said;
  return WithArguments(Encoded(texts.withReason, encode), {said, failure.reason});
}

std::string TooLargeText(int symbolPixels, int width, int height, const FailureTexts &texts,
                         TextEncoder encode) {
  LineFailure failure;
  failure.fault = LineFault::kTooLarge;
  failure.symbolPixels = symbolPixels;
  failure.width = width;
  failure.height = height;
  return FailureText(failure, texts, encode);
}

}  // namespace batch
