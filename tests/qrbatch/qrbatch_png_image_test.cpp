// qrbatch's PNG encoder, read back by libpng's own decoder: one encoder
// writes image after image, as a worker does, each with exactly its pixels.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <vector>

#include "png_image.h"

namespace qrimage {
namespace {

// A 1-bit image as the engine draws it: rows bottom-up, each padded to
// four bytes; index 0 black, 1 white.
struct DrawnImage {
  std::vector<uint8_t> rows;
  qr::BitmapImage bitmap;
  std::vector<uint8_t> grey;  // expected pixels, rows top to bottom

  DrawnImage(int width, int height, uint32_t seed, int repeat) {
    const size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
    rows.assign(stride * static_cast<size_t>(height), 0);
    grey.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    uint32_t state = seed;
    for (int y = 0; y < height; ++y) {
      uint8_t *row = &rows[static_cast<size_t>(height - 1 - y) * stride];
      if (y % repeat != 0) {  // the same as the row above
        std::copy(row + stride, row + 2 * stride, row);
      } else {
        for (size_t x = 0; x < stride; ++x) {
          state = state * 1103515245u + 12345u;
          const uint32_t pick = state >> 24;  // runs of white or black, some noise
          row[x] = pick < 100 ? 0xFF : pick < 200 ? 0x00 : static_cast<uint8_t>(state >> 8);
        }
      }
      for (int x = 0; x < width; ++x) {
        grey[static_cast<size_t>(y) * width + x] = (row[x / 8] >> (7 - x % 8) & 1) ? 255 : 0;
      }
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.stride = stride;
    bitmap.rows = rows.data();
    bitmap.rowBytes = rows.size();
  }
};

bool DecodeGrey(const std::vector<uint8_t> &file, std::vector<uint8_t> &grey, int &width,
                int &height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
  image.format = PNG_FORMAT_GRAY;
  grey.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, grey.data(), 0, nullptr)) return false;
  width = static_cast<int>(image.width), height = static_cast<int>(image.height);
  return true;
}

TEST(PngEncoder, OneEncoderWritesEveryImageWithItsPixels) {
  struct Case {
    int width, height, repeat;
  };
  // Symbol-like images, odd widths, one pixel, noise too big for a small
  // output guess, and a tall image of equal rows; then small ones again.
  const Case cases[] = {{200, 200, 8},    {201, 203, 7}, {1, 1, 1}, {9, 2, 1},     {2000, 300, 1},
                        {33, 1000, 1000}, {200, 200, 8}, {7, 5, 2}, {640, 480, 3}, {200, 200, 1}};
  PngEncoder encoder;
  std::vector<uint8_t> file;
  uint32_t seed = 1;
  for (const Case &c : cases) {
    const DrawnImage drawn(c.width, c.height, seed++, c.repeat);
    ASSERT_TRUE(encoder.Encode(drawn.bitmap, file)) << c.width << "x" << c.height;
    std::vector<uint8_t> grey;
    int width = 0, height = 0;
    ASSERT_TRUE(DecodeGrey(file, grey, width, height)) << c.width << "x" << c.height;
    EXPECT_EQ(file[24], 1) << "bit depth";
    EXPECT_EQ(file[25], 0) << "greyscale";
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
    EXPECT_TRUE(grey == drawn.grey) << c.width << "x" << c.height << " repeat " << c.repeat;
  }
}

TEST(PngEncoder, ImagesWithTextRowsKeepEveryPixel) {
  struct Case {
    int width, height, repeat, textRows;
  };
  // No text rows, one, a band, all rows and more; noise (mostly
  // literals); a line longer than deflate's window reaches back; images
  // without text rows between and after the others (their own stream).
  const Case cases[] = {{200, 200, 8, 0},   {200, 200, 8, 1},   {200, 200, 8, 30},
                        {201, 203, 1, 60},  {9, 2, 1, 2},       {9, 2, 1, 0},
                        {9, 2, 1, 5},       {2000, 300, 3, 90}, {300000, 4, 1, 2},
                        {200, 200, 1, 200}, {7, 5, 2, 3},       {640, 480, 1000, 40},
                        {201, 203, 1, 0}};
  PngEncoder encoder, plain;
  std::vector<uint8_t> file, plainFile;
  uint32_t seed = 100;
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + ", text rows " +
                 std::to_string(c.textRows));
    const DrawnImage drawn(c.width, c.height, seed++, c.repeat);
    ASSERT_TRUE(encoder.Encode(drawn.bitmap, file, c.textRows));
    std::vector<uint8_t> grey;
    int width = 0, height = 0;
    ASSERT_TRUE(DecodeGrey(file, grey, width, height));
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
    EXPECT_TRUE(grey == drawn.grey);
    // Without text rows the file is the plain encoder's, byte for byte.
    ASSERT_TRUE(plain.Encode(drawn.bitmap, plainFile));
    if (c.textRows == 0) {
      EXPECT_TRUE(file == plainFile);
    }
  }
}

TEST(PngEncoder, RefusesAnEmptyImage) {
  PngEncoder encoder;
  std::vector<uint8_t> file;
  qr::BitmapImage empty;
  EXPECT_FALSE(encoder.Encode(empty, file));
}

}  // namespace
}  // namespace qrimage
