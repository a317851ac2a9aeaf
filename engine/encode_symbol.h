// The encoding every producing export runs first.
#pragma once

#include "engine_state.h"
#include "symbol_matrix.h"

namespace qr {

// Encodes state.message with the current settings into `matrix`: mode,
// version, data codewords, error correction and interleaving, module
// placement and mask. Writes the result fields of `state` (version,
// dataMode, codewordCount, codewords, maskPattern). Returns false when the
// message does not fit version 40 at the level, or memory is short.
bool EncodeSymbol(EngineState &state, SymbolMatrix &matrix);

}  // namespace qr
