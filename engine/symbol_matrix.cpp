#include "symbol_matrix.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "format_info.h"
#include "version_cache.h"
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

// clang-format off
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
// clang-format on

namespace {

// clang-format off
const uint8_t kFinderTemplate[7][7] = {
    {1, 1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 1, 1, 1, 0, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1, 1},
};
// clang-format on

// clang-format off
const uint8_t kAlignmentTemplate[5][5] = {
    {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}, {1, 0, 1, 0, 1}, {1, 0, 0, 0, 1}, {1, 1, 1, 1, 1},
};
// clang-format on

// Both planes of one grid, row by row.
struct Grid {
  uint8_t *modules;
  uint8_t *isData;
  int side;
  uint8_t &module(int r, int c) { return modules[static_cast<size_t>(r) * side + c]; }
  uint8_t &data(int r, int c) { return isData[static_cast<size_t>(r) * side + c]; }
};

void MarkFunction(Grid &g, int top, int left, int height, int width) {
  for (int r = top; r < top + height; ++r)
    for (int c = left; c < left + width; ++c) g.data(r, c) = 0;
}

void PlaceFinder(Grid &g, int top, int left) {
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c) g.module(top + r, left + c) = kFinderTemplate[r][c];
}

void PlaceTiming(Grid &g) {
  const int S = g.side;
  for (int k = 8; k <= S - 9; ++k) {
    uint8_t dark = (k % 2 == 0) ? 1 : 0;
    g.module(k, 6) = dark;
    g.module(6, k) = dark;
    g.data(k, 6) = 0;
    g.data(6, k) = 0;
  }
}

void PlaceAlignmentPatterns(Grid &g, int version) {
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
          g.module(top + r, left + c) = kAlignmentTemplate[r][c];
          g.data(top + r, left + c) = 0;
        }
    }
  }
}

// The function patterns of a version (everything but the format and
// version bits), and its data modules in the order the codeword bits fill
// them, built once per version on first use.
constexpr int SideOf(int version) { return 17 + 4 * version; }

struct Layout {
  std::vector<uint8_t> modules;
  std::vector<uint8_t> isData;
  std::vector<uint16_t> order;  // module index (row * side + column); 177 * 177 < 65,536
};

VersionCache<Layout> layouts;

// Steps 1 to 6 and 8 of the build, and the version areas reserved.
void BuildFunctionPatterns(Grid g, int version) {
  const int S = g.side;
  const size_t area = static_cast<size_t>(S) * S;
  std::memset(g.modules, 0, area);
  std::memset(g.isData, 1, area);

  PlaceFinder(g, 0, S - 7);
  PlaceFinder(g, 0, 0);
  PlaceFinder(g, S - 7, 0);
  // Finder patterns with their separators.
  MarkFunction(g, 0, 0, 8, 8);
  MarkFunction(g, S - 8, 0, 8, 8);
  MarkFunction(g, 0, S - 8, 8, 8);

  PlaceTiming(g);
  PlaceAlignmentPatterns(g, version);

  // Reserved format areas.
  MarkFunction(g, 0, 8, 9, 1);
  MarkFunction(g, 8, 0, 1, 9);
  MarkFunction(g, S - 8, 8, 8, 1);
  MarkFunction(g, 8, S - 8, 1, 8);

  g.module(S - 8, 8) = 1;  // the dark module
  if (version >= 7) {
    // The two 6 x 3 version information blocks.
    MarkFunction(g, 0, S - 11, 6, 3);
    MarkFunction(g, S - 11, 0, 3, 6);
  }
}

// The walk of the standard: column pairs from the right (column 6 belongs
// to none), upward and downward in turn, right module before left; data
// modules are listed as they are met.
int32_t ListDataModules(Grid g, uint16_t *order) {
  const int S = g.side;
  int32_t count = 0;
  bool upward = true;
  for (int right = S - 1; right >= 1; right -= 2) {
    if (right == 6) right = 5;  // the vertical timing pattern belongs to no pair
    for (int step = 0; step < S; ++step) {
      int r = upward ? S - 1 - step : step;
      for (int c = right; c >= right - 1; --c)
        if (g.data(r, c)) order[count++] = static_cast<uint16_t>(r * S + c);
    }
    upward = !upward;
  }
  return count;
}

std::unique_ptr<Layout> BuildLayout(int version) {
  const int S = SideOf(version);
  const size_t area = static_cast<size_t>(S) * S;
  auto layout = std::make_unique<Layout>();
  layout->modules.resize(area);
  layout->isData.resize(area);
  layout->order.resize(area);
  Grid g{layout->modules.data(), layout->isData.data(), S};
  BuildFunctionPatterns(g, version);
  layout->order.resize(static_cast<size_t>(ListDataModules(g, layout->order.data())));
  return layout;
}

}  // namespace

void BuildMatrix(SymbolMatrix &m, int version, int ecLevel, int maskPattern,
                 const uint8_t *codewords, int codewordCount) {
  const int S = m.side();
  const size_t area = static_cast<size_t>(S) * S;
  const Layout &layout = layouts.Get(version, BuildLayout);
  std::memcpy(m.modules(), layout.modules.data(), area);
  std::memcpy(m.dataFlags(), layout.isData.data(), area);

  WriteFormatInformation(m, ecLevel, maskPattern);
  if (version >= 7) WriteVersionInformation(m, version);

  // Codeword bits, most significant first; remainder bits stay 0.
  const uint16_t *order = layout.order.data();
  const int fullCodewords = std::min(codewordCount, static_cast<int>(layout.order.size() / 8));
  uint8_t *module = m.modules();
  for (int k = 0; k < fullCodewords; ++k, order += 8) {
    const unsigned codeword = codewords[k];
    for (int b = 0; b < 8; ++b) module[order[b]] = (codeword >> (7 - b)) & 1;
  }
}

}  // namespace qr
