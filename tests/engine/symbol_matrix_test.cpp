// Function patterns, reserved areas, data placement, format and version
// information.
#include "symbol_matrix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_info.h"
#include "version_tables.h"

namespace {

qr::SymbolMatrix Built(int version, const std::vector<uint8_t> &codewords, int level = qr::kLevelL,
                       int mask = 0) {
  qr::SymbolMatrix m;
  EXPECT_TRUE(m.Allocate(qr::symbolSide[version]));
  qr::BuildMatrix(m, version, level, mask, codewords.data(), static_cast<int>(codewords.size()));
  return m;
}

qr::SymbolMatrix BuiltZero(int version) {
  return Built(version, std::vector<uint8_t>(static_cast<size_t>(qr::totalCodewords[version]), 0));
}

// Rows of the matrix as text: '#' dark function module, '.' light function
// module, ' ' data module.
std::vector<std::string> FunctionArt(const qr::SymbolMatrix &m) {
  std::vector<std::string> rows;
  for (int r = 0; r < m.side(); ++r) {
    std::string row;
    for (int c = 0; c < m.side(); ++c) row += m.isData(r, c) ? ' ' : (m.module(r, c) ? '#' : '.');
    rows.push_back(row);
  }
  return rows;
}

TEST(SymbolMatrix, Version1FunctionPatterns) {
  // Level M, mask 0: format bits 101010000010010.
  qr::SymbolMatrix m = Built(1, std::vector<uint8_t>(26, 0), qr::kLevelM, 0);
  // clang-format off
  const std::vector<std::string> expected = {
      "#######..    .#######",
      "#.....#.#    .#.....#",
      "#.###.#..    .#.###.#",
      "#.###.#..    .#.###.#",
      "#.###.#.#    .#.###.#",
      "#.....#..    .#.....#",
      "#######.#.#.#.#######",
      ".........    ........",
      "#.#.#.#..    ...#..#.",
      "      .              ",
      "      #              ",
      "      .              ",
      "      #              ",
      "........#            ",
      "#######..            ",
      "#.....#..            ",
      "#.###.#.#            ",
      "#.###.#..            ",
      "#.###.#.#            ",
      "#.....#..            ",
      "#######.#            ",
  };
  // clang-format on
  EXPECT_EQ(FunctionArt(m), expected);
}

TEST(SymbolMatrix, DataModulesPerVersion) {
  // Data modules = 8 x total codewords + the remainder bits.
  const int remainder[41] = {0, 0, 7, 7, 7, 7, 7, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3, 3,
                             4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0};
  for (int v = 1; v <= 40; ++v) {
    qr::SymbolMatrix m = BuiltZero(v);
    int data = 0;
    for (int r = 0; r < m.side(); ++r)
      for (int c = 0; c < m.side(); ++c) data += m.isData(r, c);
    EXPECT_EQ(data, 8 * qr::totalCodewords[v] + remainder[v]) << "version " << v;
    EXPECT_EQ(m.module(m.side() - 8, 8), 1) << "dark module, version " << v;
  }
}

TEST(SymbolMatrix, AlignmentPatternsAndTiming) {
  qr::SymbolMatrix v2 = BuiltZero(2);
  EXPECT_EQ(v2.module(18, 18), 1);  // centre
  EXPECT_EQ(v2.module(17, 18), 0);
  EXPECT_EQ(v2.module(16, 16), 1);  // ring
  EXPECT_EQ(v2.isData(20, 20), 0);
  EXPECT_EQ(v2.isData(21, 21), 1);

  qr::SymbolMatrix v7 = BuiltZero(7);
  // Patterns centred on the timing lines agree with them.
  EXPECT_EQ(v7.isData(6, 22), 0);
  EXPECT_EQ(v7.isData(22, 6), 0);
  for (int k = 8; k <= v7.side() - 9; ++k) {
    EXPECT_EQ(v7.module(6, k), k % 2 == 0 ? 1 : 0) << k;
    EXPECT_EQ(v7.module(k, 6), k % 2 == 0 ? 1 : 0) << k;
  }
  qr::SymbolMatrix v40 = BuiltZero(40);
  int patterns = 0;
  for (int a = 1; a <= 7; ++a)
    for (int b = 1; b <= 7; ++b) {
      if ((a == 1 && b == 1) || (a == 1 && b == 7) || (a == 7 && b == 1))
        continue;  // finder corners
      int r = qr::AlignmentTable[40][b], c = qr::AlignmentTable[40][a];
      if (v40.module(r, c) == 1 && v40.module(r - 1, c) == 0 && v40.module(r - 2, c) == 1 &&
          !v40.isData(r, c))
        ++patterns;
    }
  EXPECT_EQ(patterns, 46);  // every other pair holds a pattern
}

TEST(SymbolMatrix, PlacementStartsBottomRightUpward) {
  // First codeword 0x80, second 0x40, all else 0.
  std::vector<uint8_t> cw(26, 0);
  cw[0] = 0x80;
  cw[1] = 0x40;
  qr::SymbolMatrix m = Built(1, cw);
  EXPECT_EQ(m.module(20, 20), 1);  // bit 1 of codeword 1
  EXPECT_EQ(m.module(20, 19), 0);
  EXPECT_EQ(m.module(16, 20), 0);  // bit 1 of codeword 2 follows eight bits later
  EXPECT_EQ(m.module(16, 19), 1);
}

TEST(FormatInformation, BitsAndPlacement) {
  EXPECT_EQ(qr::FormatBits(qr::kLevelM, 0), 0b101010000010010u);
  EXPECT_EQ(qr::FormatBits(qr::kLevelL, 0), 0b111011111000100u);
  EXPECT_EQ(qr::FormatBits(qr::kLevelH, 7), 0b000100000111011u);
  qr::SymbolMatrix m = Built(1, std::vector<uint8_t>(26, 0), qr::kLevelL, 0);
  // F[0] at row 8 column 0 and at row S-1 column 8; F[14] at row 0 column 8
  // and at row 8 column S-1.
  EXPECT_EQ(m.module(8, 0), 1);
  EXPECT_EQ(m.module(20, 8), 1);
  EXPECT_EQ(m.module(0, 8), 0);
  EXPECT_EQ(m.module(8, 20), 0);
}

TEST(VersionInformation, Version7Word) {
  EXPECT_EQ(qr::VersionInfoTable[7], 0x07C94u);
  EXPECT_EQ(qr::VersionInfoTable[8], 0x085BCu);
  EXPECT_EQ(qr::VersionInfoTable[40], 0x28C69u);
  qr::SymbolMatrix m = BuiltZero(7);
  const int S = m.side();
  const std::string word = "000111110010010100";  // most significant first
  for (int k = 0; k < 18; ++k) {
    int bit = word[17 - k] - '0';
    EXPECT_EQ(m.module(k / 3, S - 11 + k % 3), bit) << k;
    EXPECT_EQ(m.module(S - 11 + k % 3, k / 3), bit) << k;
    EXPECT_EQ(m.isData(k / 3, S - 11 + k % 3), 0);
  }
}

}  // namespace
