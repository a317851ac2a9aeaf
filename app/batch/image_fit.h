// Whether the symbol the engine draws fits the image it is drawn into: the
// engine cuts a larger symbol off at the image's edges, and a cut-off code
// cannot be read.
#pragma once

namespace batch {

struct ImageSize {
  int width = 0;
  int height = 0;
  int captionBand = 0;  // rows at the bottom kept for a caption, not for the symbol
};

// The image QRSetSize(width, height) gives: 0 stands for the engine's
// default, 500 wide or 300 high; other values as given.
ImageSize EngineImageSize(int width, int height);

// True when a symbol of symbolPixels x symbolPixels fits width x height
// (equal fits; 0 never fits).
bool SymbolFitsImage(int symbolPixels, int width, int height);

// Captions: the band under the symbol, from the image's height alone (so
// the batch checks every line against the same band): 15 % of the height,
// at least 12 px, and never more than the image holds. The symbol is
// centred in the rows above it.
int CaptionBandHeight(int imageHeight);

// True when the symbol fits the image's rows above its caption band.
bool SymbolFitsImage(int symbolPixels, ImageSize image);

// The smallest image height whose rows above the caption band hold
// `symbolPixels`.
int SmallestCaptionedHeight(int symbolPixels);

}  // namespace batch
