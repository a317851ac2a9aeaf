// The picture: the form in which the engine hands a symbol out, the
// standard's figure turned a quarter turn clockwise.
#pragma once

#include "symbol_matrix.h"

namespace qr {

// Picture row y, column x shows module[S - 1 - x][y].
inline bool PictureModule(const SymbolMatrix &m, int x, int y) {
  return m.module(m.side() - 1 - x, y) != 0;
}

}  // namespace qr
