// Whether the symbol the engine draws fits the image it is drawn into: the
// engine cuts a larger symbol off at the image's edges, and a cut-off code
// cannot be read.
#pragma once

namespace qrapp {

// True when a symbol of symbolPixels x symbolPixels fits width x height
// (equal fits; 0 never fits).
bool SymbolFitsImage(int symbolPixels, int width, int height);

}  // namespace qrapp
