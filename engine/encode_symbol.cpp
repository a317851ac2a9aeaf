#include "encode_symbol.h"

#include <cstring>
#include <new>

#include "data_encoding.h"
#include "masking.h"
#include "reed_solomon.h"
#include "version_tables.h"

namespace qr {

bool EncodeSymbol(EngineState &state, SymbolMatrix &matrix) {
  const auto *message = reinterpret_cast<const unsigned char *>(state.message);
  const int length = static_cast<int>(strnlen(state.message, kMessageBufferSize));
  const int level = state.ecLevel;

  // 1. One mode for the whole message.
  const DataMode mode = ChooseDataMode(message, length);
  state.dataMode = static_cast<int16_t>(mode);

  // 2. The smallest version at or above the requested one that holds it.
  const int version = ChooseVersion(mode, length, state.requestedVersion, level);
  if (version == 0) return false;
  state.version = static_cast<int16_t>(version);

  // 3. Data codewords with terminator and padding.
  uint8_t data[kCodewordCapacity];
  const int capacity = DataCapacity(version, level);
  state.codewordCount = WriteDataCodewords(message, length, mode, version, data, capacity);

  // 4. Blocks, error correction, interleaving.
  uint8_t sequence[kCodewordCapacity];
  if (!InterleaveWithErrorCorrection(data, BlockLayoutOf(version, level), sequence)) return false;
  const int total = totalCodewords[version];
  for (int i = 0; i < total; ++i) state.codewords[i] = sequence[i];

  // 5. Matrix, placement and mask. The first symbol of a version also
  // builds the version's shared layout, which may find memory short.
  if (!matrix.Allocate(symbolSide[version])) return false;
  const SymbolInput input{version, level, sequence, total};
  try {
    state.maskPattern = static_cast<int16_t>(SelectMask(matrix, input, state.maskSetting));
  } catch (const std::bad_alloc &) {
    return false;
  }
  return true;
}

}  // namespace qr
