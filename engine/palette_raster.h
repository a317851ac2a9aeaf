// An off-screen raster held as the pixel block of a bitmap file: rows
// bottom-up, each padded to whole 32-bit words, 1 or 4 bits per pixel
// indexing a fixed palette. Every colour drawn is stored as the nearest
// palette entry. Lines are drawn with a black pen, one unit wide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "draw_target.h"

namespace qr {

class PaletteRaster : public DrawTarget {
 public:
  // Palette of the 1-bit raster: black, white.
  static const uint32_t kTwoColours[2];
  // Palette of the 4-bit raster: the 16 colours of the standard VGA set, in
  // the order in which Windows lays them out in a 4-bit bitmap.
  static const uint32_t kSixteenColours[16];

  // Allocates a width x height raster of 1 or 4 bits per pixel, every pixel
  // 0. False (and an empty raster) when the size is not positive or the
  // block would not fit memory or a bitmap file's 32-bit size fields.
  bool Allocate(int width, int height, int bitsPerPixel);

  void FillRect(int left, int top, int right, int bottom, uint32_t colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bitsPerPixel_; }
  size_t stride() const { return stride_; }
  int paletteSize() const { return 1 << bitsPerPixel_; }
  const uint32_t *palette() const { return bitsPerPixel_ == 1 ? kTwoColours : kSixteenColours; }
  // The pixel block: stride() x height() bytes, bottom row first.
  const uint8_t *pixelRows() const { return pixels_.get(); }
  size_t pixelBytes() const { return pixelBytes_; }

  // Palette index at (x, y), y counted from the top.
  int PixelAt(int x, int y) const;
  // Index of the palette entry nearest to `colour` (first one on a tie).
  int NearestIndex(uint32_t colour) const;

 private:
  // A drawing fills with two colours over and over; each is looked up once.
  int CachedNearestIndex(uint32_t colour) {
    if (!cacheValid_ || colour != cachedColour_) {
      cachedColour_ = colour;
      cachedIndex_ = NearestIndex(colour);
      cacheValid_ = true;
    }
    return cachedIndex_;
  }
  uint8_t *Row(int y);  // y counted from the top
  void SetPixel(int x, int y, int index);
  void SetPixelInRow(uint8_t *row, int x, int index);

  int width_ = 0, height_ = 0, bitsPerPixel_ = 1;
  size_t stride_ = 0;
  std::unique_ptr<uint8_t[]> pixels_;
  size_t pixelBytes_ = 0;
  int penX_ = 0, penY_ = 0;
  bool cacheValid_ = false;
  uint32_t cachedColour_ = 0;
  int cachedIndex_ = 0;
};

}  // namespace qr
