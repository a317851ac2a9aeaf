#include "image_fit.h"

namespace batch {

ImageSize EngineImageSize(int width, int height) {
  return {width == 0 ? 500 : width, height == 0 ? 300 : height};
}

bool SymbolFitsImage(int symbolPixels, int width, int height) {
  return symbolPixels > 0 && symbolPixels <= width && symbolPixels <= height;
}

int CaptionBandHeight(int imageHeight) {
  constexpr int kLeast = 12;
  const int band = static_cast<int>((static_cast<long long>(imageHeight) * 3 + 10) / 20);
  if (imageHeight <= 0) return 0;
  return band > kLeast ? band : (imageHeight < kLeast ? imageHeight : kLeast);
}

bool SymbolFitsImage(int symbolPixels, ImageSize image) {
  return SymbolFitsImage(symbolPixels, image.width, image.height - image.captionBand);
}

int SmallestCaptionedHeight(int symbolPixels) {
  if (symbolPixels > (1 << 28)) return 2147483647;  // no image is that tall anyway
  // The band grows with the height: start from the estimate and step up.
  long long height = static_cast<long long>(symbolPixels) * 20 / 17;
  if (height < symbolPixels) height = symbolPixels;
  while (height < (1LL << 30) &&
         height - CaptionBandHeight(static_cast<int>(height)) < symbolPixels)
    ++height;
  while (height > symbolPixels &&
         height - 1 - CaptionBandHeight(static_cast<int>(height - 1)) >= symbolPixels)
    --height;
  return static_cast<int>(height);
}

}  // namespace batch
