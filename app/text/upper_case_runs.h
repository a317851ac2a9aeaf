// The generated tables behind upper_case.h (upper_case_tables.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace qrtext {

// Every `step`-th code from `first` to `last` maps to itself plus `delta`.
// The runs of a table are sorted and their spans never overlap.
struct UpperCaseRun {
  uint16_t first;
  uint16_t last;
  uint8_t step;
  int32_t delta;
};

extern const UpperCaseRun kUnicodeUpperRuns[];
extern const size_t kUnicodeUpperRunsSize;
extern const UpperCaseRun kGbkUpperRuns[];
extern const size_t kGbkUpperRunsSize;

}  // namespace qrtext
