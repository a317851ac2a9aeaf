// The pixels of the files qrbatch writes, read from their own bytes.
#include <png.h>

#include <cstring>

#include "symbol_verifier.h"

namespace qrverify {

namespace {

uint32_t Le32(const uint8_t *p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
uint16_t Le16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
// Larger images are no symbol a batch writes; the limit keeps a damaged
// header from asking for gigabytes.
constexpr int64_t kMostPixels = int64_t{1} << 28;

qrplatform::Outcome Damaged() { return qrplatform::Outcome::Failed("the bitmap file is damaged"); }

}  // namespace

qrplatform::Outcome GreyImage::FromBitmapFile(const uint8_t *headers, size_t headerSize,
                                              const uint8_t *rows, size_t rowBytes) {
  if (headerSize < kFileHeader + kInfoHeader || headers[0] != 'B' || headers[1] != 'M')
    return Damaged();
  const uint8_t *info = headers + kFileHeader;
  const uint32_t infoSize = Le32(info);
  const int32_t width = static_cast<int32_t>(Le32(info + 4));
  const int32_t signedHeight = static_cast<int32_t>(Le32(info + 8));
  const int bits = Le16(info + 14);
  const uint32_t compression = Le32(info + 16);
  if (infoSize < kInfoHeader || kFileHeader + infoSize > headerSize || compression != 0 ||
      width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN ||
      (bits != 1 && bits != 8 && bits != 24))
    return Damaged();
  const bool bottomUp = signedHeight > 0;
  const int height = bottomUp ? signedHeight : -signedHeight;
  if (int64_t{width} * height > kMostPixels)
    return qrplatform::Outcome::Failed("the image is too large to read back");
  const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  if (rowBytes < stride * static_cast<size_t>(height)) return Damaged();
  // The palette's grey levels (1 and 8 bits).
  uint8_t palette[256];
  if (bits != 24) {
    const uint32_t used = Le32(info + 32);
    const size_t entries = used != 0 ? used : size_t{1} << bits;
    const size_t start = kFileHeader + infoSize;
    if (entries > 256 || start + entries * 4 > headerSize) return Damaged();
    std::memset(palette, 0, sizeof palette);
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t *quad = headers + start + i * 4;  // blue, green, red, reserved
      palette[i] = static_cast<uint8_t>((quad[0] * 29 + quad[1] * 150 + quad[2] * 77) >> 8);
    }
  }
  width_ = width;
  height_ = height;
  pixels_.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint8_t *row = rows + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
    uint8_t *out = pixels_.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      switch (bits) {
        case 1: out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 8: out[x] = palette[row[x]]; break;
        default: {
          const uint8_t *bgr = row + 3 * x;
          out[x] = static_cast<uint8_t>((bgr[0] * 29 + bgr[1] * 150 + bgr[2] * 77) >> 8);
        }
      }
    }
  }
  return qrplatform::Outcome::Done();
}

qrplatform::Outcome GreyImage::FromBitmapFile(const uint8_t *file, size_t size) {
  if (size < kFileHeader || Le32(file + 10) > size) return Damaged();
  const size_t offset = Le32(file + 10);
  return FromBitmapFile(file, offset, file + offset, size - offset);
}

qrplatform::Outcome GreyImage::FromPngFile(const uint8_t *file, size_t size) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file, size))
    return qrplatform::Outcome::Failed(std::string("the PNG file is damaged: ") + image.message);
  image.format = PNG_FORMAT_GRAY;
  if (int64_t{image.width} * image.height > kMostPixels) {
    png_image_free(&image);
    return qrplatform::Outcome::Failed("the PNG image is too large to read back");
  }
  width_ = static_cast<int>(image.width);
  height_ = static_cast<int>(image.height);
  pixels_.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels_.data(), 0, nullptr)) {
    qrplatform::Outcome damaged =
        qrplatform::Outcome::Failed(std::string("the PNG file is damaged: ") + image.message);
    png_image_free(&image);
    return damaged;
  }
  return qrplatform::Outcome::Done();
}

}  // namespace qrverify
