// Whether the symbol the engine draws fits the image it is drawn into: the
// engine cuts a larger symbol off at the image's edges, and a cut-off code
// cannot be read.
#pragma once

namespace qrapp {

struct ImageSize {
  int width = 0;
  int height = 0;
};

// The image QRSetSize(width, height) gives: 0 stands for the engine's
// default, 500 wide or 300 high; other values as given.
ImageSize EngineImageSize(int width, int height);

// True when a symbol of symbolPixels x symbolPixels fits width x height
// (equal fits; 0 never fits).
bool SymbolFitsImage(int symbolPixels, int width, int height);

}  // namespace qrapp
