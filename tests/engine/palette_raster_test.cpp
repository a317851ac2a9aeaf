// The raster behind the bitmap file: fills of any extent and alignment at
// 1 and 4 bits per pixel, against a plain one-index-per-pixel model.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "palette_raster.h"

namespace {

TEST(PaletteRaster, RandomFillsMatchAPixelByPixelModel) {
  std::mt19937 random(11);
  for (int bits : {1, 4}) {
    for (int round = 0; round < 40; ++round) {
      const int width = 1 + static_cast<int>(random() % 70),
                height = 1 + static_cast<int>(random() % 9);
      qr::PaletteRaster raster;
      ASSERT_TRUE(raster.Allocate(width, height, bits));
      std::vector<int> model(static_cast<size_t>(width) * height, 0);
      for (int fill = 0; fill < 12; ++fill) {
        // Rectangles may reach past every edge; they are clipped.
        const int l = static_cast<int>(random() % (width + 10)) - 5,
                  r = l + static_cast<int>(random() % (width + 5));
        const int t = static_cast<int>(random() % (height + 4)) - 2,
                  b = t + static_cast<int>(random() % (height + 3));
        const int index = static_cast<int>(random() % raster.paletteSize());
        raster.FillRect(l, t, r, b, raster.palette()[index]);
        for (int y = std::max(t, 0); y < std::min(b, height); ++y)
          for (int x = std::max(l, 0); x < std::min(r, width); ++x)
            model[static_cast<size_t>(y) * width + x] = index;
      }
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          ASSERT_EQ(raster.PixelAt(x, y), model[static_cast<size_t>(y) * width + x])
              << bits << " bits, " << width << " x " << height << ", pixel " << x << "," << y;
      // Padding past the last pixel of each row stays zero.
      for (int y = 0; y < height; ++y)
        for (size_t bit = static_cast<size_t>(width) * bits; bit < raster.stride() * 8; ++bit)
          ASSERT_EQ(raster.pixelRows()[y * raster.stride() + bit / 8] >> (7 - bit % 8) & 1, 0);
    }
  }
}

TEST(PaletteRaster, ColoursMapToTheNearestEntryOfTheCurrentPalette) {
  qr::PaletteRaster raster;
  ASSERT_TRUE(raster.Allocate(16, 2, 4));
  raster.FillRect(0, 0, 16, 1, 0x0000A0);  // a red nearest to dark red
  raster.FillRect(0, 1, 16, 2, 0xF0F0F0);  // near white
  EXPECT_EQ(raster.PixelAt(3, 0), 1);
  EXPECT_EQ(raster.PixelAt(3, 1), 15);
  raster.FillRect(0, 0, 16, 1, 0x0000A0);
  EXPECT_EQ(raster.PixelAt(3, 0), 1);
  // The same colour on a new two-colour raster: black, not entry 1 (white).
  ASSERT_TRUE(raster.Allocate(16, 2, 1));
  raster.FillRect(0, 0, 16, 2, 0x0000A0);
  EXPECT_EQ(raster.PixelAt(3, 0), 0);
  EXPECT_EQ(raster.PixelAt(3, 1), 0);
}

TEST(PaletteRaster, ATieGoesToTheFirstEntry) {
  qr::PaletteRaster raster;
  ASSERT_TRUE(raster.Allocate(4, 1, 4));
  // 40 40 40 lies as far from black (entry 0) as from dark red, green,
  // yellow (1 to 3); 00 00 40 as far from black as from dark red; A0 A0 A0
  // as far from grey (7) as from light grey (8).
  EXPECT_EQ(raster.NearestIndex(0x404040), 0);
  EXPECT_EQ(raster.NearestIndex(0x000040), 0);
  EXPECT_EQ(raster.NearestIndex(0xA0A0A0), 7);
  raster.FillRect(0, 0, 2, 1, 0x404040);
  raster.FillRect(2, 0, 4, 1, 0xA0A0A0);
  EXPECT_EQ(raster.PixelAt(1, 0), 0);
  EXPECT_EQ(raster.PixelAt(3, 0), 7);
}

TEST(PaletteRaster, LinesAreBlackAndStopBeforeTheirEnd) {
  qr::PaletteRaster raster;
  ASSERT_TRUE(raster.Allocate(8, 8, 4));
  raster.FillRect(0, 0, 8, 8, 0xFFFFFF);
  raster.MoveTo(1, 2);
  raster.LineTo(6, 2);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(raster.PixelAt(x, 2), x >= 1 && x <= 5 ? 0 : 15) << x;
  raster.LineTo(6, -3);  // from the new current point, leaving the raster
  EXPECT_EQ(raster.PixelAt(6, 2), 0);
  EXPECT_EQ(raster.PixelAt(6, 0), 0);
  EXPECT_EQ(raster.PixelAt(6, 3), 15);
}

TEST(PaletteRaster, RefusesAreasABitmapFileCannotHold) {
  qr::PaletteRaster raster;
  EXPECT_FALSE(raster.Allocate(0, 10, 1));
  EXPECT_FALSE(raster.Allocate(10, -1, 1));
  EXPECT_FALSE(raster.Allocate(10, 10, 8));
  EXPECT_FALSE(raster.Allocate(2147483647, 2147483647, 4));  // far past 4 GB
  EXPECT_TRUE(raster.Allocate(1, 1, 1));
  EXPECT_EQ(raster.stride(), 4u);
}

}  // namespace
