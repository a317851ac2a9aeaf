// Mask patterns and the mask choice.
#include "masking.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encode_symbol.h"
#include "engine_state.h"
#include "penalty.h"
#include "penalty_score.h"
#include "version_tables.h"

namespace {

TEST(MaskPatterns, ConditionsOfTheStandard) {
  // Row 0 of each pattern over the first twelve columns, and row 1.
  const char *row0[8] = {"101010101010", "111111111111", "100100100100", "100100100100",
                         "111000111000", "111111111111", "111111111111", "101010101010"};
  const char *row1[8] = {"010101010101", "000000000000", "100100100100", "001001001001",
                         "111000111000", "100000100000", "111000111000", "000111000111"};
  for (int mask = 0; mask < 8; ++mask)
    for (int j = 0; j < 12; ++j) {
      EXPECT_EQ(qr::MaskCondition(mask, 0, j), row0[mask][j] == '1')
          << "mask " << mask << " column " << j;
      EXPECT_EQ(qr::MaskCondition(mask, 1, j), row1[mask][j] == '1')
          << "mask " << mask << " column " << j;
    }
}

TEST(MaskPatterns, OnlyDataModulesChange) {
  for (int version : {1, 7, 21}) {
    const int total = qr::totalCodewords[version];
    std::vector<uint8_t> cw(static_cast<size_t>(total), 0x3C);
    qr::SymbolMatrix plain, masked;
    ASSERT_TRUE(plain.Allocate(qr::symbolSide[version]));
    ASSERT_TRUE(masked.Allocate(qr::symbolSide[version]));
    for (int mask = 0; mask < 8; ++mask) {
      qr::BuildMatrix(plain, version, qr::kLevelQ, mask, cw.data(), total);
      qr::BuildMatrix(masked, version, qr::kLevelQ, mask, cw.data(), total);
      qr::ApplyMask(masked, mask);
      for (int r = 0; r < plain.side(); ++r)
        for (int c = 0; c < plain.side(); ++c) {
          bool flipped = plain.module(r, c) != masked.module(r, c);
          EXPECT_EQ(flipped, plain.isData(r, c) && qr::MaskCondition(mask, r, c))
              << "version " << version << " mask " << mask << " at " << r << "," << c;
        }
    }
  }
}

TEST(MaskSelection, ForcedAndAutomatic) {
  std::vector<uint8_t> cw(26, 0);
  qr::SymbolMatrix m;
  ASSERT_TRUE(m.Allocate(21));
  const qr::SymbolInput input{1, qr::kLevelL, cw.data(), 26};
  for (int setting = 1; setting <= 8; ++setting)
    EXPECT_EQ(qr::SelectMask(m, input, setting), setting - 1);

  // Automatic: the lowest score wins, the lower pattern on a tie.
  uint32_t scores[8];
  for (int pattern = 0; pattern < 8; ++pattern) {
    qr::SelectMask(m, input, pattern + 1);
    scores[pattern] = qr::PenaltyScore(m);
  }
  int best = 0;
  for (int pattern = 1; pattern < 8; ++pattern)
    if (scores[pattern] < scores[best]) best = pattern;
  EXPECT_EQ(qr::SelectMask(m, input, 0), best);
  // The finished matrix is the one of the chosen pattern.
  qr::SymbolMatrix forced;
  ASSERT_TRUE(forced.Allocate(21));
  qr::SelectMask(forced, input, best + 1);
  for (int r = 0; r < 21; ++r)
    for (int c = 0; c < 21; ++c) EXPECT_EQ(m.module(r, c), forced.module(r, c));
}

// Batch lines whose lowest penalty is reached by two patterns (version 1,
// level L): the lower pattern must win the tie.
TEST(MaskSelection, TieGoesToTheLowerPattern) {
  struct TieCase {
    const char *message;
    int lowestTied;
    int otherTied;
  };
  const TieCase cases[] = {{"20210706034", 2, 7}, {"20210706130", 3, 6}, {"20210706321", 1, 7},
                           {"20210706340", 1, 7}, {"20210706349", 2, 4}, {"20210706493", 4, 7}};
  static qr::EngineState state{};
  qr::ApplyDefaults(state);
  for (const TieCase &c : cases) {
    std::snprintf(state.message, sizeof state.message, "%s", c.message);
    uint32_t scores[8];
    for (int pattern = 0; pattern < 8; ++pattern) {
      state.maskSetting = static_cast<uint16_t>(pattern + 1);
      qr::SymbolMatrix m;
      ASSERT_EQ(qr::EncodeSymbol(state, m), qr::EncodeResult::kWritten);
      ASSERT_EQ(m.side(), 21);
      scores[pattern] = qr::PenaltyScore(m);
    }
    // Still a tie of the lowest score between these two patterns.
    for (int pattern = 0; pattern < 8; ++pattern)
      EXPECT_GE(scores[pattern], scores[c.lowestTied]) << c.message;
    EXPECT_EQ(scores[c.lowestTied], scores[c.otherTied]) << c.message;

    state.maskSetting = 0;
    qr::SymbolMatrix chosen;
    ASSERT_EQ(qr::EncodeSymbol(state, chosen), qr::EncodeResult::kWritten);
    EXPECT_EQ(state.maskPattern, c.lowestTied) << c.message;
  }
}

}  // namespace
