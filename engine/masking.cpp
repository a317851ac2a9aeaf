#include "masking.h"

#include "penalty.h"

namespace qr {

bool MaskCondition(int mask, int i, int j) {
  switch (mask) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
  }
}

namespace {

// The mask patterns repeat every 12 rows and 12 columns (lcm of 2, 3, 4, 6).
struct MaskTiles {
  uint8_t bits[kMaskPatterns][12][12];
  MaskTiles() {
    for (int mask = 0; mask < kMaskPatterns; ++mask)
      for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) bits[mask][i][j] = MaskCondition(mask, i, j) ? 1 : 0;
  }
};

const MaskTiles kMaskTiles;

}  // namespace

void ApplyMask(SymbolMatrix &m, int maskPattern) {
  const int S = m.side();
  uint8_t *module = m.modules();
  const uint8_t *isData = m.dataFlags();
  for (int i = 0; i < S; ++i) {
    const uint8_t *tile = kMaskTiles.bits[maskPattern][i % 12];
    const size_t row = static_cast<size_t>(i) * S;
    for (int j = 0, t = 0; j < S; ++j, t = t == 11 ? 0 : t + 1)
      module[row + j] ^= static_cast<uint8_t>(tile[t] & isData[row + j]);
  }
}

int SelectMask(SymbolMatrix &m, const SymbolInput &in, int maskSetting) {
  auto build = [&](int pattern) {
    BuildMatrix(m, in.version, in.ecLevel, pattern, in.codewords, in.codewordCount);
    ApplyMask(m, pattern);
  };
  if (maskSetting >= 1 && maskSetting <= kMaskPatterns) {
    build(maskSetting - 1);
    return maskSetting - 1;
  }
  uint32_t bestScore = 0;  // 0: none yet
  int bestPattern = 0;
  for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
    build(pattern);
    uint32_t score = PenaltyScore(m);
    if (bestScore == 0 || score < bestScore) {
      bestScore = score;
      bestPattern = pattern;
    }
  }
  build(bestPattern);
  return bestPattern;
}

}  // namespace qr
