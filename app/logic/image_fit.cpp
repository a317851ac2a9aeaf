#include "image_fit.h"

namespace qrapp {

bool SymbolFitsImage(int symbolPixels, int width, int height) {
  return symbolPixels > 0 && symbolPixels <= width && symbolPixels <= height;
}

}  // namespace qrapp
