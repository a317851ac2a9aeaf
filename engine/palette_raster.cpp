#include "palette_raster.h"

#include <algorithm>
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
  // A block of the same size is kept and cleared: a batch draws raster
  // after raster of one size.
  std::unique_ptr<uint8_t[]> previous = std::move(pixels_);
  const size_t previousBytes = pixelBytes_;
  pixelBytes_ = 0;
  width_ = height_ = 0;
  stride_ = 0;
  cache_[0].valid = cache_[1].valid = false;
  if (width <= 0 || height <= 0 || (bitsPerPixel != 1 && bitsPerPixel != 4)) return false;
  const uint64_t stride = (static_cast<uint64_t>(bitsPerPixel) * width + 31) / 32 * 4;
  const uint64_t total = stride * static_cast<uint64_t>(height);
  if (total > kMaxPixelBytes || total > std::numeric_limits<size_t>::max()) return false;
  if (previous && previousBytes == total) {
    pixels_ = std::move(previous);
    std::memset(pixels_.get(), 0, previousBytes);
  } else {
    previous.reset();
    pixels_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(total)]());  // zeroed
    if (!pixels_) return false;
  }
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
      const long d = static_cast<long>((colour >> shift) & 0xFF) -
                     static_cast<long>((entries[i] >> shift) & 0xFF);
      distance += d * d;
    }
    if (distance < bestDistance) best = i, bestDistance = distance;
  }
  return best;
}

uint8_t *PaletteRaster::Row(int y) {
  return &pixels_[static_cast<size_t>(height_ - 1 - y) * stride_];
}

void PaletteRaster::SetPixel(int x, int y, int index) { SetPixelInRow(Row(y), x, index); }

void PaletteRaster::SetPixelInRow(uint8_t *row, int x, int index) {
  uint8_t &byte = row[static_cast<size_t>(x) * bitsPerPixel_ / 8];
  if (bitsPerPixel_ == 1) {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    byte = index ? (byte | bit) : (byte & ~bit);
  } else {
    byte = x % 2 == 0 ? static_cast<uint8_t>((byte & 0x0F) | (index << 4))
                      : static_cast<uint8_t>((byte & 0xF0) | index);
  }
}

int PaletteRaster::PixelAt(int x, int y) const {
  const uint8_t byte = pixels_[static_cast<size_t>(height_ - 1 - y) * stride_ +
                               static_cast<size_t>(x) * bitsPerPixel_ / 8];
  if (bitsPerPixel_ == 1) return (byte >> (7 - x % 8)) & 1;
  return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

PaletteRaster::Span PaletteRaster::SpanOf(int left, int right, int index) const {
  // Shifts and masks, not divisions: 8 or 2 pixels to the byte, sitting
  // from the most significant bits down.
  const int byteShift = bitsPerPixel_ == 1 ? 3 : 1, inByte = (1 << byteShift) - 1;
  Span span;
  span.value = static_cast<uint8_t>(bitsPerPixel_ == 1 ? (index ? 0xFF : 0x00) : index * 0x11);
  span.first = static_cast<size_t>(left >> byteShift);
  span.last = static_cast<size_t>((right - 1) >> byteShift);
  span.headMask = static_cast<uint8_t>(0xFF >> (bitsPerPixel_ * (left & inByte)));
  span.tailMask = static_cast<uint8_t>(0xFF << (8 - bitsPerPixel_ * (((right - 1) & inByte) + 1)));
  if (span.first == span.last) span.headMask &= span.tailMask;
  span.wholeBytes = span.last > span.first ? span.last - span.first - 1 : 0;
  return span;
}

void PaletteRaster::PaintSpan(uint8_t *row, const Span &span) {
  row[span.first] =
      static_cast<uint8_t>((row[span.first] & ~span.headMask) | (span.value & span.headMask));
  if (span.last == span.first) return;
  uint8_t *middle = row + span.first + 1;
  if (span.wholeBytes > 16) {
    std::memset(middle, span.value, span.wholeBytes);
  } else {
    for (size_t i = 0; i < span.wholeBytes; ++i) middle[i] = span.value;
  }
  row[span.last] =
      static_cast<uint8_t>((row[span.last] & ~span.tailMask) | (span.value & span.tailMask));
}

void PaletteRaster::FillRect(int left, int top, int right, int bottom, uint32_t colour) {
  if (!ClipToArea(left, top, right, bottom, width_, height_)) return;
  // Every row of the rectangle gets the same bytes.
  const Span span = SpanOf(left, right, CachedNearestIndex(colour));
  // Rows are stored bottom-up: the rectangle's bottom row comes first.
  uint8_t *row = &pixels_[static_cast<size_t>(height_ - bottom) * stride_];
  int rows = bottom - top;
  if (span.first == span.last && span.headMask == 0xFF) {
    // One whole byte per row: a module of eight pixels on a byte boundary.
    for (; rows > 0; --rows, row += stride_) row[span.first] = span.value;
    return;
  }
  for (; rows > 0; --rows, row += stride_) PaintSpan(row, span);
}

void PaletteRaster::FillSpan(int y, int left, int right, uint32_t colour) {
  int top = y, bottom = y + 1;
  if (!ClipToArea(left, top, right, bottom, width_, height_)) return;
  PaintSpan(Row(y), SpanOf(left, right, CachedNearestIndex(colour)));
}

void PaletteRaster::FillCells(int y, int64_t left, int64_t cellWidth, const uint8_t *cells,
                              ptrdiff_t step, int count, uint32_t colour) {
  if (y < 0 || y >= height_ || cellWidth <= 0 || count <= 0) return;
  uint8_t *row = Row(y);
  const int index = CachedNearestIndex(colour);
  const int byteShift = bitsPerPixel_ == 1 ? 3 : 1, inByte = (1 << byteShift) - 1;  // no divisions
  if (left >= 0 && left + count * cellWidth <= width_ && (left & inByte) == 0 &&
      (cellWidth & inByte) == 0) {
    // Cells of whole bytes, all inside: a store (or a few) per cell. This
    // is the batch's picture: 8-pixel modules at 1 bit per pixel.
    const uint8_t value =
        static_cast<uint8_t>(bitsPerPixel_ == 1 ? (index ? 0xFF : 0x00) : index * 0x11);
    const size_t bytes = static_cast<size_t>(cellWidth >> byteShift);
    uint8_t *out = row + (left >> byteShift);
    if (bytes == 1) {
      // Without a branch: the cells follow no pattern a processor could
      // predict, and a mispredicted branch costs more than the store.
      // Adjacent flags go eight at a time: each flag byte becomes a mask
      // byte of 00 or FF, and eight pixel bytes are merged at once.
      int k = 0;
      if (step == 1) {
        constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL, kHigh = 0x8080808080808080ULL;
        const uint64_t values = value * 0x0101010101010101ULL;
        for (; k + 8 <= count; k += 8) {
          uint64_t flags, pixels;
          std::memcpy(&flags, cells + k, 8);
          std::memcpy(&pixels, out + k, 8);
          const uint64_t set =
              (((flags & kLow7) + kLow7) | flags) & kHigh;  // top bit of each non-zero byte
          const uint64_t mask = (set >> 7) * 0xFF;
          pixels ^= (pixels ^ values) & mask;
          std::memcpy(out + k, &pixels, 8);
        }
      }
      for (; k < count; ++k) {
        const uint8_t mask = static_cast<uint8_t>(-static_cast<int>(cells[k * step] != 0));
        out[k] = static_cast<uint8_t>(out[k] ^ ((out[k] ^ value) & mask));
      }
    } else {
      for (int k = 0; k < count; ++k)
        if (cells[k * step]) std::memset(out + k * bytes, value, bytes);
    }
    return;
  }
  // Anything else: one span per run of filled cells, clipped.
  for (int k = 0; k < count;) {
    if (!cells[k * step]) {
      ++k;
      continue;
    }
    const int first = k;
    while (k < count && cells[k * step]) ++k;
    const int64_t spanLeft = std::max<int64_t>(left + first * cellWidth, 0);
    const int64_t spanRight = std::min<int64_t>(left + k * cellWidth, width_);
    if (spanLeft < spanRight)
      PaintSpan(row, SpanOf(static_cast<int>(spanLeft), static_cast<int>(spanRight), index));
  }
}

void PaletteRaster::RepeatRow(int y, int count) {
  if (y < 0 || y >= height_) return;
  count = std::min(count, height_ - y);
  // Bottom-up storage: rows y + count - 1 up to y lie in a row, y last.
  const size_t stride = stride_;  // a local: the stores below could alias the member
  const uint8_t *const source = Row(y);
  uint8_t *row = const_cast<uint8_t *>(source);
  // Rows are whole 32-bit words; the copies are word stores in the loop,
  // not a library call per row of a few dozen bytes.
  for (int n = 1; n < count; ++n) {
    row -= stride;
    size_t i = 0;
    for (; i + 8 <= stride; i += 8) {
      uint64_t word;
      std::memcpy(&word, source + i, 8);
      std::memcpy(row + i, &word, 8);
    }
    if (i < stride) {
      uint32_t word;
      std::memcpy(&word, source + i, 4);
      std::memcpy(row + i, &word, 4);
    }
  }
}

void PaletteRaster::MoveTo(int x, int y) { penX_ = x, penY_ = y; }

void PaletteRaster::LineTo(int x, int y) {
  // Bresenham from the current point, the end point excluded.
  const int black = NearestIndex(0x000000);
  long long cx = penX_, cy = penY_;
  const long long dx = std::llabs(static_cast<long long>(x) - cx),
                  dy = -std::llabs(static_cast<long long>(y) - cy);
  const int sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
  long long error = dx + dy;
  while (cx != x || cy != y) {
    if (cx >= 0 && cx < width_ && cy >= 0 && cy < height_)
      SetPixel(static_cast<int>(cx), static_cast<int>(cy), black);
    const long long twice = 2 * error;
    if (twice >= dy) error += dy, cx += sx;
    if (twice <= dx) error += dx, cy += sy;
  }
  MoveTo(x, y);
}

}  // namespace qr
