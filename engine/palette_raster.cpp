#include "palette_raster.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace qr {

const uint32_t PaletteRaster::kTwoColours[2] = {0x000000, 0xFFFFFF};

// 0x00BBGGRR: black, dark red, dark green, dark yellow, dark blue, dark
// magenta, dark cyan, grey, light grey, red, green, yellow, blue, magenta,
// cyan, white - the table GDI gives a 4-bit read-back.
const uint32_t PaletteRaster::kSixteenColours[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

namespace {

// The largest pixel block a bitmap file can describe: the file size field
// (header, table and pixels) is 32 bits.
constexpr uint64_t kMaxPixelBytes = std::numeric_limits<uint32_t>::max() - 54 - 64;

}  // namespace

bool PaletteRaster::Allocate(int width, int height, int bitsPerPixel) {
  pixels_.reset();
  pixelBytes_ = 0;
  width_ = height_ = 0;
  stride_ = 0;
  cacheValid_ = false;
  if (width <= 0 || height <= 0 || (bitsPerPixel != 1 && bitsPerPixel != 4)) return false;
  const uint64_t stride = (static_cast<uint64_t>(bitsPerPixel) * width + 31) / 32 * 4;
  const uint64_t total = stride * static_cast<uint64_t>(height);
  if (total > kMaxPixelBytes || total > std::numeric_limits<size_t>::max()) return false;
  pixels_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(total)]());  // zeroed
  if (!pixels_) return false;
  pixelBytes_ = static_cast<size_t>(total);
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  stride_ = static_cast<size_t>(stride);
  return true;
}

int PaletteRaster::NearestIndex(uint32_t colour) const {
  const uint32_t *entries = palette();
  int best = 0;
  long bestDistance = std::numeric_limits<long>::max();
  for (int i = 0; i < paletteSize(); ++i) {
    long distance = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const long d = static_cast<long>((colour >> shift) & 0xFF) - static_cast<long>((entries[i] >> shift) & 0xFF);
      distance += d * d;
    }
    if (distance < bestDistance) best = i, bestDistance = distance;
  }
  return best;
}

uint8_t *PaletteRaster::Row(int y) { return &pixels_[static_cast<size_t>(height_ - 1 - y) * stride_]; }

void PaletteRaster::SetPixel(int x, int y, int index) { SetPixelInRow(Row(y), x, index); }

void PaletteRaster::SetPixelInRow(uint8_t *row, int x, int index) {
  uint8_t &byte = row[static_cast<size_t>(x) * bitsPerPixel_ / 8];
  if (bitsPerPixel_ == 1) {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    byte = index ? (byte | bit) : (byte & ~bit);
  } else {
    byte = x % 2 == 0 ? static_cast<uint8_t>((byte & 0x0F) | (index << 4)) : static_cast<uint8_t>((byte & 0xF0) | index);
  }
}

int PaletteRaster::PixelAt(int x, int y) const {
  const uint8_t byte = pixels_[static_cast<size_t>(height_ - 1 - y) * stride_ + static_cast<size_t>(x) * bitsPerPixel_ / 8];
  if (bitsPerPixel_ == 1) return (byte >> (7 - x % 8)) & 1;
  return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

void PaletteRaster::FillRect(int left, int top, int right, int bottom, uint32_t colour) {
  if (!ClipToArea(left, top, right, bottom, width_, height_)) return;
  const int index = CachedNearestIndex(colour);
  // Every row of the rectangle gets the same bytes: a masked first byte,
  // whole bytes, a masked last byte (pixels sit from the most significant
  // bits down).
  // Shifts and masks, not divisions: 8 or 2 pixels to the byte.
  const int byteShift = bitsPerPixel_ == 1 ? 3 : 1, inByte = (1 << byteShift) - 1;
  const uint8_t value = static_cast<uint8_t>(bitsPerPixel_ == 1 ? (index ? 0xFF : 0x00) : index * 0x11);
  const size_t first = static_cast<size_t>(left >> byteShift), last = static_cast<size_t>((right - 1) >> byteShift);
  uint8_t headMask = static_cast<uint8_t>(0xFF >> (bitsPerPixel_ * (left & inByte)));
  const uint8_t tailMask = static_cast<uint8_t>(0xFF << (8 - bitsPerPixel_ * (((right - 1) & inByte) + 1)));
  if (first == last) headMask &= tailMask;
  const size_t wholeBytes = last > first ? last - first - 1 : 0;

  // Rows are stored bottom-up: the rectangle's bottom row comes first.
  uint8_t *row = &pixels_[static_cast<size_t>(height_ - bottom) * stride_];
  int rows = bottom - top;
  if (first == last && headMask == 0xFF) {
    // One whole byte per row: a module of eight pixels on a byte boundary.
    for (; rows > 0; --rows, row += stride_) row[first] = value;
    return;
  }
  for (; rows > 0; --rows, row += stride_) {
    row[first] = static_cast<uint8_t>((row[first] & ~headMask) | (value & headMask));
    if (last == first) continue;
    uint8_t *middle = row + first + 1;
    if (wholeBytes > 16) {
      std::memset(middle, value, wholeBytes);
    } else {
      for (size_t i = 0; i < wholeBytes; ++i) middle[i] = value;
    }
    row[last] = static_cast<uint8_t>((row[last] & ~tailMask) | (value & tailMask));
  }
}

void PaletteRaster::MoveTo(int x, int y) { penX_ = x, penY_ = y; }

void PaletteRaster::LineTo(int x, int y) {
  // Bresenham from the current point, the end point excluded.
  const int black = NearestIndex(0x000000);
  long long cx = penX_, cy = penY_;
  const long long dx = std::llabs(static_cast<long long>(x) - cx), dy = -std::llabs(static_cast<long long>(y) - cy);
  const int sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
  long long error = dx + dy;
  while (cx != x || cy != y) {
    if (cx >= 0 && cx < width_ && cy >= 0 && cy < height_) SetPixel(static_cast<int>(cx), static_cast<int>(cy), black);
    const long long twice = 2 * error;
    if (twice >= dy) error += dy, cx += sx;
    if (twice <= dx) error += dx, cy += sy;
  }
  MoveTo(x, y);
}

}  // namespace qr
