// A symbol as an SVG file: the modules and geometry of the bitmap file
// (modules of `modulePixels`, centred as the bitmap centres them) as one
// path of the dark modules over a white background, sized in px.
#pragma once

#include <string>

#include "symbol_engine.h"

namespace qrbatch {

// The SVG text of the last encoding of `engine` into `text` (replaced).
// The symbol must fit the width x height area.
void BuildSvg(const qr::SymbolEngine &engine, int width, int height, int modulePixels,
              std::string &text);

}  // namespace qrbatch
