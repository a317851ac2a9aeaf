// Data masks and the choice of mask.
#pragma once

#include <array>
#include <cstdint>

#include "penalty.h"
#include "symbol_matrix.h"

namespace qr {

constexpr int kMaskPatterns = 8;

// True when pattern `mask` inverts the module at row i, column j.
constexpr bool MaskCondition(int mask, int i, int j) {
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

// Inverts every data module for which the pattern's condition holds.
void ApplyMask(SymbolMatrix &m, int maskPattern);

// Everything the mask choice needs to rebuild the symbol.
struct SymbolInput {
  int version;
  int ecLevel;
  const uint8_t *codewords;
  int codewordCount;
};

// The penalty terms of the input's symbol under each of the eight
// patterns, as the automatic choice scores them; leaves `m` (allocated for
// the version) holding the unmasked symbol with pattern 0's format bits.
std::array<PenaltyTerms, kMaskPatterns> TrialPenalties(SymbolMatrix &m, const SymbolInput &input);

// Builds the finished symbol into `m`: with maskSetting 1..8 the pattern
// maskSetting - 1, with 0 the pattern of lowest penalty (ties go to the
// lower pattern). Returns the pattern used.
int SelectMask(SymbolMatrix &m, const SymbolInput &input, int maskSetting);

}  // namespace qr
