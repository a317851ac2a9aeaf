#include "masking.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "format_info.h"
#include "version_cache.h"
#include "version_tables.h"

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
      for (int j = 0; j < kMaskRowLength; ++j)
        rows.bits[mask][i][j] = MaskCondition(mask, i, j) ? 1 : 0;
  return rows;
}

constexpr MaskRows kMaskRows = MakeMaskRows();

// target = source with every data module inverted where the pattern says.
void MaskPlane(const uint8_t *source, const uint8_t *isData, int side, int maskPattern,
               uint8_t *target) {
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

// What the eight trials of every symbol of one version share: its function
// modules, the modules each pattern inverts, and the block rule's corners
// split into those whose score is fixed by the function patterns alone and
// those whose search reaches a data or format module.
struct TrialBase {
  PackedPlane function;
  PackedPlane inverted[kMaskPatterns];
  PenaltyCorners corners;
  ModulePosition format[15][2];
};

VersionCache<TrialBase> trialBases;

std::unique_ptr<TrialBase> BuildTrialBase(int version) {
  auto base = std::make_unique<TrialBase>();
  const int S = symbolSide[version];
  SymbolMatrix m;
  if (!m.Allocate(S)) throw std::bad_alloc();
  BuildMatrix(m, version, kLevelL, 0, nullptr, 0);
  PackPlane(m.dataFlags(), S, true, base->function);
  const size_t area = static_cast<size_t>(S) * S;
  std::vector<uint8_t> plane(area);
  for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
    std::fill(plane.begin(), plane.end(), 0);
    MaskPlane(plane.data(), m.dataFlags(), S, pattern, plane.data());
    PackPlane(plane.data(), S, false, base->inverted[pattern]);
  }
  FormatPositions(S, base->format);
  // Data and format modules vary between the symbols of the version.
  std::memcpy(plane.data(), m.dataFlags(), area);
  for (const auto &copies : base->format)
    for (const ModulePosition &p : copies) plane[static_cast<size_t>(p.row) * S + p.column] = 1;
  PackedPlane variable, dark;
  PackPlane(plane.data(), S, false, variable);
  PackPlane(m.modules(), S, false, dark);
  base->corners = SplitCorners(dark, base->function, variable);
  return base;
}

inline void FlipModule(PackedPlane &plane, int r, int c) {
  plane.rows[r][c >> 6] ^= 1ull << (c & 63);
  plane.columns[c][r >> 6] ^= 1ull << (r & 63);
}

}  // namespace

void ApplyMask(SymbolMatrix &m, int maskPattern) {
  MaskPlane(m.modules(), m.dataFlags(), m.side(), maskPattern, m.modules());
}

// The eight trial symbols differ from one unmasked build only in their
// format bits and their mask: the build is packed once, and each trial is
// that plane with the pattern's inverted modules and format bits flipped.
std::array<PenaltyTerms, kMaskPatterns> TrialPenalties(SymbolMatrix &m, const SymbolInput &in) {
  const int S = m.side();
  const int words = (S + 63) / 64;
  const TrialBase &base = trialBases.Get(in.version, BuildTrialBase);
  BuildMatrix(m, in.version, in.ecLevel, 0, in.codewords, in.codewordCount);
  PackedPlane unmasked, trial;
  PackPlane(m.modules(), S, false, unmasked);
  trial.side = S;
  const uint32_t formatOfFirst = FormatBits(in.ecLevel, 0);
  std::array<PenaltyTerms, kMaskPatterns> terms;
  for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
    const PackedPlane &inverted = base.inverted[pattern];
    for (int k = 0; k < S; ++k)
      for (int i = 0; i < words; ++i) {
        trial.rows[k][i] = unmasked.rows[k][i] ^ inverted.rows[k][i];
        trial.columns[k][i] = unmasked.columns[k][i] ^ inverted.columns[k][i];
      }
    const uint32_t formatChange = FormatBits(in.ecLevel, pattern) ^ formatOfFirst;
    for (int f = 0; f < 15; ++f)
      if ((formatChange >> (14 - f)) & 1)
        for (const ModulePosition &p : base.format[f]) FlipModule(trial, p.row, p.column);
    terms[pattern] = PenaltyTermsOf(trial, base.function, base.corners);
  }
  return terms;
}

int SelectMask(SymbolMatrix &m, const SymbolInput &in, int maskSetting) {
  if (maskSetting >= 1 && maskSetting <= kMaskPatterns) {
    const int pattern = maskSetting - 1;
    BuildMatrix(m, in.version, in.ecLevel, pattern, in.codewords, in.codewordCount);
    ApplyMask(m, pattern);
    return pattern;
  }
  const std::array<PenaltyTerms, kMaskPatterns> terms = TrialPenalties(m, in);
  uint32_t bestScore = 0;  // 0: none yet
  int bestPattern = 0;
  for (int pattern = 0; pattern < kMaskPatterns; ++pattern) {
    const uint32_t score = terms[pattern].total();
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
