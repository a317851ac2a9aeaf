// The encoding every producing export runs first, and the programs' entry
// runs on segments of their own.
#pragma once

#include <cstdint>

#include "app_api/symbol_segments.h"
#include "data_encoding.h"
#include "engine_state.h"
#include "symbol_matrix.h"

namespace qr {

// The exports' one segment: the whole message in one mode (ChooseDataMode).
inline Segment WholeMessageSegment(const unsigned char *message, int length) {
  return DataSegment(ChooseDataMode(message, length), 0, static_cast<size_t>(length));
}

// One encoding whose segments are checked and whose version is chosen.
struct SymbolRequest {
  const unsigned char *message;
  const Segment *segments;
  int segmentCount;
  int version;      // 1..40, holding the segments at the level
  int level;        // 0..3
  int maskSetting;  // 0 automatic, 1..8 = pattern 0..7
};

struct BuiltSymbol {
  int codewordCount = 0;  // data codewords before padding
  int maskPattern = 0;
};

// Data codewords, error correction and interleaving, module placement and
// mask, into `matrix`. With `codewords` (room for the version's total) the
// final codeword sequence is copied there too. kWritten or kOutOfMemory.
EncodeResult BuildSymbol(const SymbolRequest &request, SymbolMatrix &matrix, BuiltSymbol &built,
                         uint16_t *codewords = nullptr);

// Encodes state.message as one segment with the current settings into
// `matrix`: mode, version, then BuildSymbol. Writes the result fields of
// `state` (dataMode, version, codewordCount, codewords, maskPattern).
EncodeResult EncodeSymbol(EngineState &state, SymbolMatrix &matrix);

}  // namespace qr
