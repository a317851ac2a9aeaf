#include "engine_state.h"

#include <cstring>

#include "version_tables.h"

namespace qr {

EngineState engineState{};

void ApplyDefaults(EngineState &state) {
  std::strcpy(state.message, "12");
  state.barColor = kBlack;
  state.backColor = kWhite;
  // barDepth and backDepth stay: only the colour setters decide them.
  state.imageWidth = 500;
  state.imageHeight = 300;
  state.moduleSize = 0.07f;
  state.orientation = 0;
  state.frameStyle = 0;
  state.requestedVersion = 0;
  state.ecLevel = kLevelL;
  state.maskSetting = 0;
  state.maskPattern = 0;
}

}  // namespace qr
