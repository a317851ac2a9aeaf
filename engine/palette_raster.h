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

  // Row-wise drawing, for pictures made of runs of identical rows: paint
  // row y (counted from the top), then copy it over the rows below it.
  // Both clip to the raster like FillRect.
  // Fills x in [left, right) of row y.
  void FillSpan(int y, int left, int right, uint32_t colour);
  // Fills, in row y, cell k (x in [left + k * cellWidth, left + (k + 1) *
  // cellWidth)) for each k < count whose flag cells[k * step] is not 0.
  void FillCells(int y, int64_t left, int64_t cellWidth, const uint8_t *cells, ptrdiff_t step,
                 int count, uint32_t colour);
  // Rows y + 1 to y + count - 1 become copies of row y.
  void RepeatRow(int y, int count);

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
  // A drawing fills with two colours over and over, taking turns; each is
  // looked up once.
  int CachedNearestIndex(uint32_t colour) {
    for (const CacheEntry &entry : cache_)
      if (entry.valid && entry.colour == colour) return entry.index;
    CacheEntry &entry = cache_[nextCacheEntry_];
    nextCacheEntry_ ^= 1;
    entry = {true, colour, NearestIndex(colour)};
    return entry.index;
  }
  // Where a fill of one row lands: a masked first byte, whole bytes, a
  // masked last byte.
  struct Span {
    size_t first, last, wholeBytes;
    uint8_t headMask, tailMask, value;
  };
  Span SpanOf(int left, int right, int index) const;
  static void PaintSpan(uint8_t *row, const Span &span);

  uint8_t *Row(int y);  // y counted from the top
  void SetPixel(int x, int y, int index);
  void SetPixelInRow(uint8_t *row, int x, int index);

  int width_ = 0, height_ = 0, bitsPerPixel_ = 1;
  size_t stride_ = 0;
  std::unique_ptr<uint8_t[]> pixels_;
  size_t pixelBytes_ = 0;
  int penX_ = 0, penY_ = 0;
  struct CacheEntry {
    bool valid;
    uint32_t colour;
    int index;
  };
  CacheEntry cache_[2] = {};
  int nextCacheEntry_ = 0;
};

}  // namespace qr
