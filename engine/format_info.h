// Format information (level and mask, BCH(15,5)) and version information.
#pragma once

#include <cstdint>

#include "symbol_matrix.h"

namespace qr {

// 18-bit version information words, ISO/IEC 18004 Annex D Table D.1,
// indexed by version (entries below 7 are unused).
extern const uint32_t VersionInfoTable[41];

// The 15 format bits after masking with 101010000010010; bit 14 is F[0].
uint32_t FormatBits(int ecLevel, int maskPattern);

struct ModulePosition {
  int row;
  int column;
};

// Where the two copies of format bit F[i] lie in a symbol of `side`
// modules: positions[i][0] and positions[i][1].
void FormatPositions(int side, ModulePosition positions[15][2]);

// Writes both copies of the format bits into module (areas reserved earlier).
void WriteFormatInformation(SymbolMatrix &m, int ecLevel, int maskPattern);

// Writes both 6 x 3 version blocks and marks them as function modules.
void WriteVersionInformation(SymbolMatrix &m, int version);

}  // namespace qr
