// The penalty score that decides the automatic mask: the engine's reading
// of the four evaluation rules of ISO/IEC 18004.
#pragma once

#include <cstdint>

namespace qr {

struct PenaltyTerms {
  uint32_t runs = 0;        // runs of five or more like modules
  uint32_t blocks = 0;      // monochrome rectangles anchored at function modules
  uint32_t finderLike = 0;  // dark-light-dark-dark-dark-light-dark windows
  uint32_t balance = 0;     // distance of the dark share from 50 %
  uint32_t total() const { return runs + blocks + finderLike + balance; }
};

constexpr int kMaxSide = 177;
constexpr int kLineWords = (kMaxSide + 63) / 64;

// One plane of a symbol packed 64 modules to a word, both ways: bit c of
// rows[r] and bit r of columns[c] hold module (r, c). Bits past the side
// are 0. The scoring reads these instead of bytes.
struct PackedPlane {
  int side = 0;
  uint64_t rows[kMaxSide][kLineWords];
  uint64_t columns[kMaxSide][kLineWords];
};

// Packs a side x side byte plane (bytes 0 or 1, row by row); with `invert`
// a bit is set where the byte is 0.
void PackPlane(const uint8_t *plane, int side, bool invert, PackedPlane &out);

// Terms of a symbol given its dark modules and its function modules
// (isData == 0), both packed.
PenaltyTerms PenaltyTermsOf(const PackedPlane &dark, const PackedPlane &function);

// The corners of the block rule (the function modules) of a family of
// symbols that differ only in the modules of `variable`: the corners whose
// score can differ between them, and the sum of the others' scores.
struct PenaltyCorners {
  PackedPlane variable;  // only `columns` is filled
  uint32_t fixedScore = 0;
};
PenaltyCorners SplitCorners(const PackedPlane &dark, const PackedPlane &function,
                            const PackedPlane &variable);

// The same terms for a symbol of that family, scoring only the corners
// that can differ.
PenaltyTerms PenaltyTermsOf(const PackedPlane &dark, const PackedPlane &function,
                            const PenaltyCorners &corners);

}  // namespace qr
