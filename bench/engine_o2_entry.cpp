// Entry to a second copy of the engine's encoding, compiled at -O2 with its
// namespace renamed (qr becomes qr_o2), so engine_bench can run both builds
// side by side in one program.
#include <cstring>

#include "encode_symbol.h"

bool EncodeWithO2Engine(const char *message, int level, int maskSetting, int *side) {
  static qr::EngineState state{};
  qr::SymbolMatrix matrix;
  std::strncpy(state.message, message, sizeof state.message - 1);
  state.requestedVersion = 0;
  state.ecLevel = static_cast<uint16_t>(level);
  state.maskSetting = static_cast<uint16_t>(maskSetting);
  const bool ok = qr::EncodeSymbol(state, matrix) == qr::EncodeResult::kWritten;
  *side = matrix.side();
  return ok;
}
