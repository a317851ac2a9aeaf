// The penalty score against a slow, literal reading of its four rules, on
// random grids and on real symbols, and the worked scores of one symbol.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "encode_symbol.h"
#include "engine_state.h"
#include "masking.h"
#include "penalty.h"
#include "penalty_score.h"
#include "symbol_matrix.h"
#include "version_tables.h"

namespace qr {
namespace {

// ---- Literal reference -------------------------------------------------

uint32_t LiteralRuns(const SymbolMatrix &m) {
  const int S = m.side();
  uint32_t score = 0;
  auto scoreLine = [&](auto at) {
    int k = 0;
    while (k < S) {
      int end = k;
      while (end + 1 < S && at(end + 1) == at(k)) ++end;
      const int length = end - k + 1;
      if (length >= 5) score += static_cast<uint32_t>(length - 2);
      k = end + 1;
    }
  };
  for (int c = 0; c < S; ++c) scoreLine([&](int k) { return m.module(k, c); });
  for (int r = 0; r < S; ++r) scoreLine([&](int k) { return m.module(r, k); });
  return score;
}

struct ListedRect {
  int top, left, bottom, right;
};

uint32_t LiteralBlocks(const SymbolMatrix &m) {
  const int S = m.side();
  std::vector<ListedRect> list;
  uint32_t score = 0;
  auto allOf = [&](int r, int c, int r2, int c2, uint8_t colour) {
    for (int i = r; i <= r2; ++i)
      for (int j = c; j <= c2; ++j)
        if (m.module(i, j) != colour) return false;
    return true;
  };
  for (int c = 0; c < S; ++c) {
    for (int r = 0; r < S; ++r) {
      if (m.isData(r, c) != 0) continue;
      const uint8_t colour = m.module(r, c);
      for (int r2 = S - 1; r2 >= r + 1; --r2) {
        int found = -1;
        for (int c2 = S - 1; c2 >= c + 1; --c2)
          if (allOf(r, c, r2, c2, colour)) {
            found = c2;
            break;
          }
        if (found < 0) continue;
        bool inside = false;
        for (const ListedRect &l : list)
          if (l.top <= r && l.left <= c && l.bottom >= r2 && l.right >= found) inside = true;
        if (inside) continue;
        list.push_back({r, c, r2, found});
        score += 3u * static_cast<uint32_t>((r2 - r) * (found - c));
      }
    }
  }
  return score;
}

uint32_t LiteralFinderLike(const SymbolMatrix &m) {
  static const uint8_t kPattern[7] = {1, 0, 1, 1, 1, 0, 1};
  const int S = m.side();
  uint32_t score = 0;
  auto scoreLine = [&](auto at) {
    int p = 0;
    while (p + 7 <= S) {
      bool match = true;
      for (int k = 0; k < 7; ++k) match = match && at(p + k) == kPattern[k];
      if (match) {
        score += 40;
        p += 4;
      } else {
        p += 1;
      }
    }
  };
  for (int c = 0; c < S; ++c) scoreLine([&](int k) { return m.module(k, c); });
  for (int r = 0; r < S; ++r) scoreLine([&](int k) { return m.module(r, k); });
  return score;
}

uint32_t LiteralBalance(const SymbolMatrix &m) {
  const long area = static_cast<long>(m.side()) * m.side();
  long dark = 0;
  for (int r = 0; r < m.side(); ++r)
    for (int c = 0; c < m.side(); ++c) dark += m.module(r, c);
  // p = 100 dark / area exactly; 5k <= |p - 50| in whole numbers.
  const long distanceTimesArea = std::labs(100 * dark - 50 * area);
  uint32_t k = 0;
  while (5 * static_cast<long>(k + 1) * area <= distanceTimesArea) ++k;
  return 10 * k;
}

void ExpectSameTerms(const SymbolMatrix &m, const char *what) {
  const PenaltyTerms fast = PenaltyTermsOf(m);
  EXPECT_EQ(fast.runs, LiteralRuns(m)) << what;
  EXPECT_EQ(fast.blocks, LiteralBlocks(m)) << what;
  EXPECT_EQ(fast.finderLike, LiteralFinderLike(m)) << what;
  EXPECT_EQ(fast.balance, LiteralBalance(m)) << what;
  EXPECT_EQ(PenaltyScore(m), fast.total()) << what;
}

// ---- Random grids --------------------------------------------------------

// Grids of blobs: each module copies its upper or left neighbour with
// probability `stickiness`, so larger one-colour rectangles, nested and
// overlapping ones, turn up often.
void FillRandom(SymbolMatrix &m, std::mt19937 &random, double stickiness, double functionShare) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int S = m.side();
  for (int r = 0; r < S; ++r)
    for (int c = 0; c < S; ++c) {
      uint8_t colour = random() & 1;
      if (unit(random) < stickiness && (r > 0 || c > 0)) {
        const bool fromAbove = r > 0 && (c == 0 || (random() & 1));
        colour = fromAbove ? m.module(r - 1, c) : m.module(r, c - 1);
      }
      m.module(r, c) = colour;
      m.isData(r, c) = unit(random) < functionShare ? 0 : 1;
    }
}

TEST(PenaltyScore, MatchesLiteralRulesOnRandomGrids) {
  std::mt19937 random(2024);
  const double stickiness[] = {0.0, 0.5, 0.8, 0.95, 1.0};
  const double functionShare[] = {0.0, 0.1, 0.5, 1.0};
  int cases = 0;
  for (int side = 1; side <= 29; side += side < 10 ? 1 : 4)
    for (double stick : stickiness)
      for (double share : functionShare)
        for (int round = 0; round < 6; ++round) {
          SymbolMatrix m;
          ASSERT_TRUE(m.Allocate(side));
          FillRandom(m, random, stick, share);
          ExpectSameTerms(m, "random grid");
          ++cases;
          if (HasFailure()) return;
        }
  EXPECT_GT(cases, 1000);
}

TEST(PenaltyScore, MatchesLiteralRulesOnUniformGrids) {
  for (int side : {2, 5, 21}) {
    for (uint8_t colour : {0, 1}) {
      SymbolMatrix m;
      ASSERT_TRUE(m.Allocate(side));
      for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
          m.module(r, c) = colour;
          m.isData(r, c) = 0;  // every module a corner: maximal nesting
        }
      ExpectSameTerms(m, "uniform grid");
    }
  }
}

// ---- Real symbols ---------------------------------------------------------

// Encodes `message` with a forced mask through the engine's pipeline.
bool EncodeForced(const std::string &message, int level, int version, int pattern,
                  SymbolMatrix &m) {
  static EngineState state{};
  ApplyDefaults(state);
  std::snprintf(state.message, sizeof state.message, "%s", message.c_str());
  state.requestedVersion = static_cast<uint16_t>(version);
  state.ecLevel = static_cast<uint16_t>(level);
  state.maskSetting = static_cast<uint16_t>(pattern + 1);
  return EncodeSymbol(state, m) == EncodeResult::kWritten;
}

TEST(PenaltyScore, MatchesLiteralRulesOnRealSymbolsOfEveryVersionAndMask) {
  std::mt19937 random(99);
  for (int version = 1; version <= 40; ++version) {
    std::string message;
    const int length = 1 + static_cast<int>(random() % 7);  // fits every version and level
    for (int i = 0; i < length; ++i) message += static_cast<char>('a' + random() % 26);
    for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
      // The literal block rule is slow on large symbols: there one mask per
      // version, taking turns so that every mask still meets large versions.
      if (version > 12 && pattern != version % 8) continue;
      SymbolMatrix m;
      ASSERT_TRUE(EncodeForced(message, static_cast<int>(random() % 4), version, pattern, m));
      ASSERT_EQ(m.side(), 17 + 4 * version);
      ExpectSameTerms(
          m, ("version " + std::to_string(version) + " mask " + std::to_string(pattern)).c_str());
      if (HasFailure()) return;
    }
  }
}

// ---- The mask choice's trials ------------------------------------------------

// Codewords of random bytes, or long stretches of 0x00 and 0xFF that make
// one-colour rectangles reaching into the function patterns.
std::vector<uint8_t> RandomCodewords(int count, std::mt19937 &random) {
  std::vector<uint8_t> codewords(static_cast<size_t>(count));
  const bool stretches = random() % 2 == 0;
  uint8_t value = 0;
  for (uint8_t &codeword : codewords) {
    if (!stretches) {
      codeword = static_cast<uint8_t>(random());
      continue;
    }
    if (random() % 8 == 0) value = static_cast<uint8_t>(random() % 3 == 0 ? random() : ~value);
    codeword = value;
  }
  return codewords;
}

// The trials score each symbol from shared per-version parts; every pattern
// must get the terms of the masked symbol read on its own: the literal
// rules for small versions, the full packed scoring (checked against them
// above) for every version.
TEST(PenaltyScore, TrialsOfTheMaskChoiceMatchTheMaskedSymbols) {
  std::mt19937 random(8);
  for (int round = 0; round < 4; ++round)
    for (int version = 1; version <= 40; ++version) {
      if (round > 0 && version > 12 && version % 4 != round) continue;
      const int total = totalCodewords[version];
      const std::vector<uint8_t> codewords = RandomCodewords(total, random);
      const SymbolInput input{version, static_cast<int>(random() % 4), codewords.data(), total};
      SymbolMatrix trials, masked;
      ASSERT_TRUE(trials.Allocate(symbolSide[version]));
      ASSERT_TRUE(masked.Allocate(symbolSide[version]));
      const std::array<PenaltyTerms, kMaskPatterns> terms = TrialPenalties(trials, input);
      for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
        BuildMatrix(masked, version, input.ecLevel, pattern, codewords.data(), total);
        ApplyMask(masked, pattern);
        const std::string what =
            "version " + std::to_string(version) + " pattern " + std::to_string(pattern);
        const PenaltyTerms full = PenaltyTermsOf(masked);
        EXPECT_EQ(terms[pattern].runs, full.runs) << what;
        EXPECT_EQ(terms[pattern].blocks, full.blocks) << what;
        EXPECT_EQ(terms[pattern].finderLike, full.finderLike) << what;
        EXPECT_EQ(terms[pattern].balance, full.balance) << what;
        if (version <= 6) {
          EXPECT_EQ(terms[pattern].blocks, LiteralBlocks(masked)) << what;
          EXPECT_EQ(terms[pattern].runs, LiteralRuns(masked)) << what;
        }
        if (HasFailure()) return;
      }
    }
}

// ---- Worked example ---------------------------------------------------------

// Version 1, level L, all 26 codewords 0.
TEST(PenaltyScore, WorkedScoresOfAllZeroVersionOneSymbol) {
  const uint8_t zeros[26] = {};
  const PenaltyTerms expected[kMaskPatterns] = {
      {140, 54, 720, 0}, {325, 54, 720, 0}, {326, 51, 720, 10}, {146, 51, 760, 10},
      {145, 66, 720, 0}, {255, 66, 720, 0}, {216, 63, 840, 10}, {144, 42, 800, 0},
  };
  const uint32_t totals[kMaskPatterns] = {914, 1099, 1107, 967, 931, 1041, 1129, 986};
  SymbolMatrix m;
  ASSERT_TRUE(m.Allocate(21));
  for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
    BuildMatrix(m, 1, kLevelL, pattern, zeros, 26);
    ApplyMask(m, pattern);
    const PenaltyTerms t = PenaltyTermsOf(m);
    EXPECT_EQ(t.runs, expected[pattern].runs) << "pattern " << pattern;
    EXPECT_EQ(t.blocks, expected[pattern].blocks) << "pattern " << pattern;
    EXPECT_EQ(t.finderLike, expected[pattern].finderLike) << "pattern " << pattern;
    EXPECT_EQ(t.balance, expected[pattern].balance) << "pattern " << pattern;
    EXPECT_EQ(t.total(), totals[pattern]) << "pattern " << pattern;
    EXPECT_EQ(LiteralBlocks(m), expected[pattern].blocks) << "pattern " << pattern;
  }
  const SymbolInput input{1, kLevelL, zeros, 26};
  EXPECT_EQ(SelectMask(m, input, 0), 0);
}

}  // namespace
}  // namespace qr
