#include "logo_image.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>

namespace {

// A PNG made by libpng's writer from RGBA pixels.
std::string EncodeRgbaPng(std::uint32_t width, std::uint32_t height,
                          const std::vector<std::uint8_t> &rgba) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr));
  std::string png(size, '\0');
  EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr));
  png.resize(size);
  return png;
}

void AppendBigEndian(std::string &out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

// Signature and a well-formed IHDR claiming the given size, nothing else.
std::string PngHeaderClaiming(std::uint32_t width, std::uint32_t height) {
  std::string chunk = "IHDR";
  AppendBigEndian(chunk, width);
  AppendBigEndian(chunk, height);
  chunk += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png("\x89PNG\r\n\x1a\n", 8);
  AppendBigEndian(png, 13);
  png += chunk;
  AppendBigEndian(png, crc32(0, reinterpret_cast<const Bytef *>(chunk.data()), chunk.size()));
  return png;
}

}  // namespace

TEST(LogoImage, DecodesToBgrRowsTopDownOverWhite) {
  // 3 x 2: red, green, blue / black, transparent, half-transparent black.
  const std::vector<std::uint8_t> rgba = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
                                          0,   0, 0, 255, 9, 9,   9, 0,   0, 0, 0,   128};
  const auto logo = notice::DecodeLogo(EncodeRgbaPng(3, 2, rgba));
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->width, 3u);
  EXPECT_EQ(logo->height, 2u);
  EXPECT_EQ(logo->stride, 12u);
  const std::uint8_t *row0 = logo->bgr.data();
  const std::uint8_t *row1 = logo->bgr.data() + logo->stride;
  EXPECT_EQ(std::vector<std::uint8_t>(row0, row0 + 9),
            (std::vector<std::uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(row1, row1 + 6),
            (std::vector<std::uint8_t>{0, 0, 0, 255, 255, 255}));
  // Half-covered black over white: a grey (libpng blends in linear light).
  EXPECT_GT(row1[6], 100);
  EXPECT_LT(row1[6], 230);
  EXPECT_EQ(row1[6], row1[8]);
}

TEST(LogoImage, AnythingButACompletePngGivesNothing) {
  const std::string good = EncodeRgbaPng(2, 2, std::vector<std::uint8_t>(16, 200));
  EXPECT_FALSE(notice::DecodeLogo(""));
  EXPECT_FALSE(notice::DecodeLogo("<html>404 Not Found</html>"));
  EXPECT_FALSE(notice::DecodeLogo(good.substr(0, good.size() / 2)));
  EXPECT_FALSE(notice::DecodeLogo(good.substr(0, 8)));
  std::string corrupt = good;
  corrupt[corrupt.find("IDAT") + 6] ^= 0x55;
  EXPECT_FALSE(notice::DecodeLogo(corrupt));
  EXPECT_TRUE(notice::DecodeLogo(good));
}

TEST(LogoImage, RefusesPicturesTooLargeToHold) {
  EXPECT_FALSE(notice::DecodeLogo(PngHeaderClaiming(100000, 100000)));
  EXPECT_FALSE(notice::DecodeLogo(PngHeaderClaiming(5000, 5000)));
}
