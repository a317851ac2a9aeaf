// The module grid of one symbol: function patterns, reserved areas and the
// placement of the codeword bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qr {

// Rows from the top, columns from the left, in the orientation in which the
// standard draws the symbol (no finder pattern in the bottom-right corner).
class SymbolMatrix {
 public:
  // Allocates both planes for a side of `side` modules; false when memory
  // cannot be obtained.
  bool Allocate(int side);
  void Release();

  int side() const { return side_; }
  uint8_t &module(int r, int c) { return module_[static_cast<size_t>(r) * side_ + c]; }
  uint8_t module(int r, int c) const { return module_[static_cast<size_t>(r) * side_ + c]; }
  uint8_t &isData(int r, int c) { return isData_[static_cast<size_t>(r) * side_ + c]; }
  uint8_t isData(int r, int c) const { return isData_[static_cast<size_t>(r) * side_ + c]; }
  const uint8_t *modules() const { return module_.data(); }
  const uint8_t *dataFlags() const { return isData_.data(); }
  uint8_t *modules() { return module_.data(); }
  uint8_t *dataFlags() { return isData_.data(); }

 private:
  int side_ = 0;
  std::vector<uint8_t> module_;  // 1 = dark
  std::vector<uint8_t> isData_;  // 1 = data or remainder module (masked)
};

// Centres of the alignment patterns, ISO/IEC 18004 Annex E Table E.1:
// entry 0 is the number of patterns, entries 1..n their row/column
// coordinates. Indexed by version; the row of version 1 is unused.
extern const int32_t AlignmentTable[41][8];

// Fills the matrix (already allocated for the version's side) from scratch:
// function patterns, format information for ecLevel and maskPattern,
// version information, and the unmasked codeword bits.
void BuildMatrix(SymbolMatrix &matrix, int version, int ecLevel, int maskPattern,
                 const uint8_t *codewords, int codewordCount);

}  // namespace qr
