#include "masking.h"

#include <cstring>

#include "format_info.h"
#include "penalty.h"

namespace qr {

namespace {

// Each pattern's rows repeat every 12 rows (lcm of 2, 3, 4, 6); a stored
// row per residue spans the widest symbol, so masking a row is a plain
// byte-wise AND and XOR.
constexpr int kMaskRowLength = 180;  // >= 177, a multiple of 12

struct MaskRows {
  uint8_t bits[kMaskPatterns][12][kMaskRowLength];
};

constexpr MaskRows MakeMaskRows() {
  MaskRows rows{};
  for (int mask = 0; mask < kMaskPatterns; ++mask)
    for (int i = 0; i < 12; ++i)
      for (int j = 0; j < kMaskRowLength; ++j) rows.bits[mask][i][j] = MaskCondition(mask, i, j) ? 1 : 0;
  return rows;
}

constexpr MaskRows kMaskRows = MakeMaskRows();

// target = source with every data module inverted where the pattern says.
void MaskPlane(const uint8_t *source, const uint8_t *isData, int side, int maskPattern, uint8_t *target) {
  for (int i = 0; i < side; ++i) {
    const uint8_t *pattern = kMaskRows.bits[maskPattern][i % 12];
    const size_t row = static_cast<size_t>(i) * side;
    int j = 0;
    for (; j + 8 <= side; j += 8) {  // eight modules a step
      uint64_t modules, condition, data;
      std::memcpy(&modules, source + row + j, 8);
      std::memcpy(&condition, pattern + j, 8);
      std::memcpy(&data, isData + row + j, 8);
      modules ^= condition & data;
      std::memcpy(target + row + j, &modules, 8);
    }
    for (; j < side; ++j) target[row + j] = source[row + j] ^ (pattern[j] & isData[row + j]);
  }
}

// Working planes of the mask choice; the engine serves one caller at a time.
PackedPlane trialDark;
PackedPlane functionModules;
uint8_t trialModules[kMaxSide * kMaxSide];

}  // namespace

void ApplyMask(SymbolMatrix &m, int maskPattern) {
  MaskPlane(m.modules(), m.dataFlags(), m.side(), maskPattern, m.modules());
}

// The eight trial symbols differ from one unmasked build only in their
// format bits and their mask, so the matrix is built once; each trial
// rewrites the format bits, masks a copy and scores it packed.
int SelectMask(SymbolMatrix &m, const SymbolInput &in, int maskSetting) {
  if (maskSetting >= 1 && maskSetting <= kMaskPatterns) {
    const int pattern = maskSetting - 1;
    BuildMatrix(m, in.version, in.ecLevel, pattern, in.codewords, in.codewordCount);
    ApplyMask(m, pattern);
    return pattern;
  }
  const int S = m.side();
  BuildMatrix(m, in.version, in.ecLevel, 0, in.codewords, in.codewordCount);
  PackPlane(m.dataFlags(), S, true, functionModules);
  uint32_t bestScore = 0;  // 0: none yet
  int bestPattern = 0;
  for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
    WriteFormatInformation(m, in.ecLevel, pattern);
    MaskPlane(m.modules(), m.dataFlags(), S, pattern, trialModules);
    PackPlane(trialModules, S, false, trialDark);
    const uint32_t score = PenaltyTermsOf(trialDark, functionModules).total();
    if (bestScore == 0 || score < bestScore) {
      bestScore = score;
      bestPattern = pattern;
    }
  }
  WriteFormatInformation(m, in.ecLevel, bestPattern);
  ApplyMask(m, bestPattern);
  return bestPattern;
}

}  // namespace qr
