// The exports' drawing settings, as the drawing takes them.
#pragma once

#include "engine_state.h"
#include "symbol_drawing.h"

namespace qr {

// The placement of a symbol of `side` modules in the area, module size and
// orientation of `state`.
inline PicturePlacement PlacementOf(const EngineState &state, int side) {
  return PlacePicture(side, state.imageWidth, state.imageHeight, state.modulePixels,
                      state.orientation);
}

inline SymbolStyle StyleOf(const EngineState &state) {
  return {state.barColor, state.backColor, state.frameStyle};
}

}  // namespace qr
