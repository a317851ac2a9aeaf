// Why a line produced no file, in the words of one table (failure_texts.h).
#pragma once

#include <string>

#include "failure_texts.h"
#include "line_check.h"

namespace batch {

// Turns a table's UTF-8 text into the encoding of the report (ToGbk for
// the window); null keeps it as written.
using TextEncoder = std::string (*)(const std::string &utf8);

// The words for `failure`: its row of `texts` with the failure's numbers
// put in (the same places for every fault), and the system's reason, if any, joined by
// `withReason`. The table's texts pass through `encode`; numbers and the reason are used as given
// ('%' and digits are never GBK trail bytes).
std::string FailureText(const LineFailure &failure, const FailureTexts &texts,
                        TextEncoder encode = nullptr);

// The kTooLarge text of a symbol of `symbolPixels` in width x height.
std::string TooLargeText(int symbolPixels, int width, int height, const FailureTexts &texts,
                         TextEncoder encode = nullptr);

}  // namespace batch
