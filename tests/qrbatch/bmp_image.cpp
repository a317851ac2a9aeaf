#include "bmp_image.h"

#include <cstdlib>

namespace qrtest {

namespace {

uint32_t U32(const std::string &b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
         static_cast<uint8_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(const std::string &b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

}  // namespace

bool ReadBmp(const std::string &bytes, GreyImage &image) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t dataOffset = U32(bytes, 10);
  const uint32_t headerSize = U32(bytes, 14);
  const int width = static_cast<int32_t>(U32(bytes, 18));
  const int rawHeight = static_cast<int32_t>(U32(bytes, 22));
  const int bits = U16(bytes, 28);
  if (U32(bytes, 30) != 0 || width <= 0 || rawHeight == 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return false;
  const int height = std::abs(rawHeight);
  const bool bottomUp = rawHeight > 0;

  std::vector<uint8_t> palette;
  if (bits <= 8) {
    uint32_t colours = U32(bytes, 46);
    if (colours == 0) colours = 1u << bits;
    const size_t at = 14 + headerSize;
    if (at + colours * 4 > bytes.size()) return false;
    for (uint32_t i = 0; i < colours; ++i) {
      const size_t entry = at + i * 4;  // blue, green, red, reserved
      palette.push_back(static_cast<uint8_t>((static_cast<uint8_t>(bytes[entry]) +
                                              static_cast<uint8_t>(bytes[entry + 1]) +
                                              static_cast<uint8_t>(bytes[entry + 2])) /
                                             3));
    }
  }
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  if (dataOffset + stride * height > bytes.size()) return false;

  image.width = width;
  image.height = height;
  image.bitsPerPixel = bits;
  image.pixels.assign(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const size_t row = dataOffset + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      uint8_t grey;
      if (bits == 24) {
        const size_t p = row + 3 * static_cast<size_t>(x);
        grey = static_cast<uint8_t>((static_cast<uint8_t>(bytes[p]) +
                                     static_cast<uint8_t>(bytes[p + 1]) +
                                     static_cast<uint8_t>(bytes[p + 2])) /
                                    3);
      } else {
        const size_t bit = static_cast<size_t>(x) * bits;
        const uint8_t byte = static_cast<uint8_t>(bytes[row + bit / 8]);
        const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette.size()) return false;
        grey = palette[index];
      }
      image.pixels[static_cast<size_t>(y) * width + x] = grey;
    }
  }
  return true;
}

}  // namespace qrtest
