// The mask penalty of a whole finished symbol, for tests: the engine itself
// only scores the mask trials of one symbol (TrialPenalties).
#pragma once

#include <cstdint>

#include "penalty.h"
#include "symbol_matrix.h"

namespace qr {

inline PenaltyTerms PenaltyTermsOf(const SymbolMatrix &m) {
  PackedPlane dark, function;
  PackPlane(m.modules(), m.side(), false, dark);
  PackPlane(m.dataFlags(), m.side(), true, function);
  return PenaltyTermsOf(dark, function);
}

// Sum of the four terms over the whole masked symbol.
inline uint32_t PenaltyScore(const SymbolMatrix &m) { return PenaltyTermsOf(m).total(); }

}  // namespace qr
