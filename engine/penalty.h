// The penalty score that decides the automatic mask: the engine's reading
// of the four evaluation rules of ISO/IEC 18004.
#pragma once

#include <cstdint>

#include "symbol_matrix.h"

namespace qr {

struct PenaltyTerms {
  uint32_t runs = 0;        // runs of five or more like modules
  uint32_t blocks = 0;      // monochrome rectangles anchored at function modules
  uint32_t finderLike = 0;  // dark-light-dark-dark-dark-light-dark windows
  uint32_t balance = 0;     // distance of the dark share from 50 %
  uint32_t total() const { return runs + blocks + finderLike + balance; }
};

uint32_t RunPenalty(const SymbolMatrix &m);
uint32_t BlockPenalty(const SymbolMatrix &m);
uint32_t FinderLikePenalty(const SymbolMatrix &m);
uint32_t BalancePenalty(const SymbolMatrix &m);

PenaltyTerms PenaltyTermsOf(const SymbolMatrix &m);

// Sum of the four terms over the whole masked symbol.
uint32_t PenaltyScore(const SymbolMatrix &m);

}  // namespace qr
