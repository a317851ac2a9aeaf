#include "image_fit.h"

namespace qrapp {

ImageSize EngineImageSize(int width, int height) {
  return {width == 0 ? 500 : width, height == 0 ? 300 : height};
}

bool SymbolFitsImage(int symbolPixels, int width, int height) {
  return symbolPixels > 0 && symbolPixels <= width && symbolPixels <= height;
}

}  // namespace qrapp
