#include "upper_case.h"

#include <algorithm>

#include "upper_case_runs.h"

namespace qrtext {

namespace {

unsigned Lookup(const UpperCaseRun *runs, size_t size, unsigned code) {
  const UpperCaseRun *end = runs + size;
  // The first run that ends at or after `code`.
  const UpperCaseRun *run = std::lower_bound(
      runs, end, code, [](const UpperCaseRun &r, unsigned c) { return r.last < c; });
  if (run == end || code < run->first || (code - run->first) % run->step != 0) return code;
  return static_cast<unsigned>(static_cast<int>(code) + run->delta);
}

}  // namespace

char32_t SimpleUpper(char32_t codePoint) {
  if (codePoint < 0x80) {
    return codePoint >= 'a' && codePoint <= 'z' ? codePoint - 'a' + 'A' : codePoint;
  }
  if (codePoint > 0xFFFF) return codePoint;
  return Lookup(kUnicodeUpperRuns, kUnicodeUpperRunsSize, codePoint);
}

unsigned GbkUpperPair(unsigned pair) { return Lookup(kGbkUpperRuns, kGbkUpperRunsSize, pair); }

}  // namespace qrtext
