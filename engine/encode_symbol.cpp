#include "encode_symbol.h"

#include <cstring>
#include <new>

#include "data_encoding.h"
#include "masking.h"
#include "reed_solomon.h"
#include "version_tables.h"

namespace qr {

EncodeResult BuildSymbol(const SymbolRequest &request, SymbolMatrix &matrix, BuiltSymbol &built,
                         uint16_t *codewords) {
  const int version = request.version, level = request.level;

  // Data codewords with terminator and padding.
  uint8_t data[kCodewordCapacity];
  const int capacity = DataCapacity(version, level);
  built.codewordCount = WriteDataCodewords(request.message, request.segments, request.segmentCount,
                                           version, data, capacity);

  // Blocks, error correction, interleaving.
  uint8_t sequence[kCodewordCapacity];
  if (!InterleaveWithErrorCorrection(data, BlockLayoutOf(version, level), sequence))
    return EncodeResult::kOutOfMemory;
  const int total = totalCodewords[version];
  if (codewords != nullptr)
    for (int i = 0; i < total; ++i) codewords[i] = sequence[i];

  // Matrix, placement and mask. The first symbol of a version also builds
  // the version's shared layout, which may find memory short.
  if (!matrix.Allocate(symbolSide[version])) return EncodeResult::kOutOfMemory;
  const SymbolInput input{version, level, sequence, total};
  try {
    built.maskPattern = SelectMask(matrix, input, request.maskSetting);
  } catch (const std::bad_alloc &) {
    return EncodeResult::kOutOfMemory;
  }
  return EncodeResult::kWritten;
}

EncodeResult EncodeSymbol(EngineState &state, SymbolMatrix &matrix) {
  const auto *message = reinterpret_cast<const unsigned char *>(state.message);
  const int length = static_cast<int>(strnlen(state.message, kMessageBufferSize));
  const int level = state.ecLevel;

  // One mode for the whole message, then the smallest version at or above
  // the requested one that holds it.
  const Segment segment = WholeMessageSegment(message, length);
  state.dataMode = static_cast<int16_t>(segment.mode);
  const int version = ChooseVersion(&segment, 1, state.requestedVersion, level);
  if (version == 0) return EncodeResult::kTooLong;
  state.version = static_cast<int16_t>(version);

  BuiltSymbol built;
  const SymbolRequest request{message, &segment, 1, version, level, state.maskSetting};
  const EncodeResult result = BuildSymbol(request, matrix, built, state.codewords);
  state.codewordCount = built.codewordCount;
  if (result == EncodeResult::kWritten) state.maskPattern = static_cast<int16_t>(built.maskPattern);
  return result;
}

}  // namespace qr
