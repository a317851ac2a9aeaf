// Reed-Solomon error correction over GF(256) (polynomial 0x11D, alpha = 2)
// and the interleaving of data and error-correction codewords.
#pragma once

#include <array>
#include <cstdint>

#include "version_tables.h"

namespace qr {

constexpr int kMaxGeneratorDegree = 68;

// gfExp[i] = alpha^i for i = 0..254, gfExp[255] = 1.
// gfLog[x] = i with alpha^i = x; gfLog[1] = 255, gfLog[0] unused.
extern const std::array<uint16_t, 256> gfExp;
extern const std::array<uint16_t, 256> gfLog;

inline uint8_t GfMultiply(unsigned a, unsigned b) {
  if (a == 0 || b == 0) return 0;
  unsigned s = gfLog[a] + gfLog[b];
  if (s >= 255) s -= 255;
  return static_cast<uint8_t>(gfExp[s]);
}

// g_e(x) = (x - a^0)(x - a^1)...(x - a^(e-1)) as e + 1 field values in
// ascending powers; entry e is 1. Degrees 1..68.
const uint16_t *GeneratorTable(int degree);

// Remainder of data(x) * x^ecCount divided by g_ecCount(x): the block's
// error-correction codewords, first to last.
void ComputeErrorCorrection(const uint8_t *data, int dataCount, int ecCount, uint8_t *ecOut);

// Splits the data codewords into the blocks of `layout`, computes each
// block's error correction and writes the interleaved sequence of
// totalCodewords entries into `out`. Returns false when the layout needs
// more error-correction storage than the encoder keeps (no layout of the
// standard does).
bool InterleaveWithErrorCorrection(const uint8_t *data, const BlockLayout &layout, uint8_t *out);

}  // namespace qr
