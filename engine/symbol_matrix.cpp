#include "symbol_matrix.h"

#include <cstring>
#include <new>

#include "format_info.h"
#include "version_tables.h"

namespace qr {

bool SymbolMatrix::Allocate(int side) {
  try {
    module_.assign(static_cast<size_t>(side) * side, 0);
    isData_.assign(static_cast<size_t>(side) * side, 1);
  } catch (const std::bad_alloc &) {
    Release();
    return false;
  }
  side_ = side;
  return true;
}

void SymbolMatrix::Release() {
  std::vector<uint8_t>().swap(module_);
  std::vector<uint8_t>().swap(isData_);
  side_ = 0;
}

const int32_t AlignmentTable[41][8] = {
    {  0,   0,   0,   0,   0,   0,   0,   0},  // 0 (unused)
    {  0,   0,   0,   0,   0,   0,   0,   0},  // 1
    {  1,   6,  18,   0,   0,   0,   0,   0},  // 2
    {  1,   6,  22,   0,   0,   0,   0,   0},  // 3
    {  1,   6,  26,   0,   0,   0,   0,   0},  // 4
    {  1,   6,  30,   0,   0,   0,   0,   0},  // 5
    {  1,   6,  34,   0,   0,   0,   0,   0},  // 6
    {  6,   6,  22,  38,   0,   0,   0,   0},  // 7
    {  6,   6,  24,  42,   0,   0,   0,   0},  // 8
    {  6,   6,  26,  46,   0,   0,   0,   0},  // 9
    {  6,   6,  28,  50,   0,   0,   0,   0},  // 10
    {  6,   6,  30,  54,   0,   0,   0,   0},  // 11
    {  6,   6,  32,  58,   0,   0,   0,   0},  // 12
    {  6,   6,  34,  62,   0,   0,   0,   0},  // 13
    { 13,   6,  26,  46,  66,   0,   0,   0},  // 14
    { 13,   6,  26,  48,  70,   0,   0,   0},  // 15
    { 13,   6,  26,  50,  74,   0,   0,   0},  // 16
    { 13,   6,  30,  54,  78,   0,   0,   0},  // 17
    { 13,   6,  30,  56,  82,   0,   0,   0},  // 18
    { 13,   6,  30,  58,  86,   0,   0,   0},  // 19
    { 13,   6,  34,  62,  90,   0,   0,   0},  // 20
    { 22,   6,  28,  50,  72,  94,   0,   0},  // 21
    { 22,   6,  26,  50,  74,  98,   0,   0},  // 22
    { 22,   6,  30,  54,  78, 102,   0,   0},  // 23
    { 22,   6,  28,  54,  80, 106,   0,   0},  // 24
    { 22,   6,  32,  58,  84, 110,   0,   0},  // 25
    { 22,   6,  30,  58,  86, 114,   0,   0},  // 26
    { 22,   6,  34,  62,  90, 118,   0,   0},  // 27
    { 33,   6,  26,  50,  74,  98, 122,   0},  // 28
    { 33,   6,  30,  54,  78, 102, 126,   0},  // 29
    { 33,   6,  26,  52,  78, 104, 130,   0},  // 30
    { 33,   6,  30,  56,  82, 108, 134,   0},  // 31
    { 33,   6,  34,  60,  86, 112, 138,   0},  // 32
    { 33,   6,  30,  58,  86, 114, 142,   0},  // 33
    { 33,   6,  34,  62,  90, 118, 146,   0},  // 34
    { 46,   6,  30,  54,  78, 102, 126, 150},  // 35
    { 46,   6,  24,  50,  76, 102, 128, 154},  // 36
    { 46,   6,  28,  54,  80, 106, 132, 158},  // 37
    { 46,   6,  32,  58,  84, 110, 136, 162},  // 38
    { 46,   6,  26,  54,  82, 110, 138, 166},  // 39
    { 46,   6,  30,  58,  86, 114, 142, 170},  // 40
};

namespace {

const uint8_t kFinderTemplate[7][7] = {
    {1, 1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 1, 1, 1, 0, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1, 1},
};

const uint8_t kAlignmentTemplate[5][5] = {
    {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}, {1, 0, 1, 0, 1}, {1, 0, 0, 0, 1}, {1, 1, 1, 1, 1},
};

void MarkFunction(SymbolMatrix &m, int top, int left, int height, int width) {
  for (int r = top; r < top + height; ++r)
    for (int c = left; c < left + width; ++c) m.isData(r, c) = 0;
}

void PlaceFinder(SymbolMatrix &m, int top, int left) {
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c) m.module(top + r, left + c) = kFinderTemplate[r][c];
}

void PlaceTiming(SymbolMatrix &m) {
  const int S = m.side();
  for (int k = 8; k <= S - 9; ++k) {
    uint8_t dark = (k % 2 == 0) ? 1 : 0;
    m.module(k, 6) = dark;
    m.module(6, k) = dark;
    m.isData(k, 6) = 0;
    m.isData(6, k) = 0;
  }
}

void PlaceAlignmentPatterns(SymbolMatrix &m, int version) {
  if (version < 2) return;
  const int32_t *row = AlignmentTable[version];
  int n = 2;
  while ((n + 1) * (n + 1) <= row[0] + 3) ++n;
  for (int a = 1; a <= n; ++a) {
    for (int b = 1; b <= n; ++b) {
      // These three would fall on the finder patterns.
      if ((a == 1 && b == 1) || (a == 1 && b == n) || (a == n && b == 1)) continue;
      int top = row[b] - 2, left = row[a] - 2;
      for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
          m.module(top + r, left + c) = kAlignmentTemplate[r][c];
          m.isData(top + r, left + c) = 0;
        }
    }
  }
}

void PlaceCodewords(SymbolMatrix &m, const uint8_t *codewords, int codewordCount) {
  const int S = m.side();
  const long totalBits = 8L * codewordCount;
  long bit = 0;
  bool upward = true;
  for (int right = S - 1; right >= 1; right -= 2) {
    if (right == 6) right = 5;  // the vertical timing pattern belongs to no pair
    for (int step = 0; step < S; ++step) {
      int r = upward ? S - 1 - step : step;
      for (int c = right; c >= right - 1; --c) {
        if (!m.isData(r, c)) continue;
        if (bit >= totalBits) return;  // remainder bits stay 0
        m.module(r, c) = (codewords[bit >> 3] >> (7 - (bit & 7))) & 1;
        ++bit;
      }
    }
    upward = !upward;
  }
}

}  // namespace

void BuildMatrix(SymbolMatrix &m, int version, int ecLevel, int maskPattern,
                 const uint8_t *codewords, int codewordCount) {
  const int S = m.side();
  const size_t area = static_cast<size_t>(S) * S;
  std::memset(m.modules(), 0, area);
  std::memset(m.dataFlags(), 1, area);

  PlaceFinder(m, 0, S - 7);
  PlaceFinder(m, 0, 0);
  PlaceFinder(m, S - 7, 0);
  // Finder patterns with their separators.
  MarkFunction(m, 0, 0, 8, 8);
  MarkFunction(m, S - 8, 0, 8, 8);
  MarkFunction(m, 0, S - 8, 8, 8);

  PlaceTiming(m);
  PlaceAlignmentPatterns(m, version);

  // Reserved format areas.
  MarkFunction(m, 0, 8, 9, 1);
  MarkFunction(m, 8, 0, 1, 9);
  MarkFunction(m, S - 8, 8, 8, 1);
  MarkFunction(m, 8, S - 8, 1, 8);

  WriteFormatInformation(m, ecLevel, maskPattern);
  m.module(S - 8, 8) = 1;  // the dark module
  if (version >= 7) WriteVersionInformation(m, version);

  PlaceCodewords(m, codewords, codewordCount);
}

}  // namespace qr
