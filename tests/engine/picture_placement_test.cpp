// The one picture geometry: where the symbol lies, and that the picture's
// view of the modules is what the drawing paints.
#include "picture_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine_state.h"
#include "palette_raster.h"
#include "picture.h"
#include "symbol_drawing.h"
#include "symbol_matrix.h"

namespace {

TEST(PicturePlacement, CentresAndRoundsAsTheOutputsDo) {
  struct Case {
    int side, width, height, module, orientation;
    int64_t left, top, extent;
    int quietZone;
  };
  const Case cases[] = {
      {21, 200, 200, 8, 1, 16, 16, 168, 2},  // the batch's recipe
      {21, 200, 201, 8, 1, 16, 17, 168, 2},  // orientation 1: the top takes the odd pixel
      {21, 200, 201, 8, 0, 16, 16, 168, 2},  // others: the bottom does
      {21, 201, 200, 8, 2, 17, 16, 168, 2},  // orientation 2: the left takes it
      {21, 201, 200, 8, 3, 16, 16, 168, 2},
      {25, 300, 250, 8, 1, 50, 25, 200, 3},    // the narrowest margin counts
      {21, 100, 100, 8, 1, -34, -34, 168, 0},  // larger than the image: cut
      {21, 200, 200, 0, 1, 100, 100, 0, 0},    // modules of no size
      {177, 10, 10, 0x7FFFFFFF, 0, -190052302754, -190052302754, 380104605519, 0},
  };
  for (const Case &c : cases) {
    const qr::PicturePlacement p =
        qr::PlacePicture(c.side, c.width, c.height, c.module, c.orientation);
    EXPECT_EQ(p.symbolLeft, c.left) << c.side << " " << c.width << "x" << c.height;
    EXPECT_EQ(p.symbolTop, c.top) << c.side << " " << c.width << "x" << c.height;
    EXPECT_EQ(p.symbolExtent, c.extent);
    EXPECT_EQ(p.quietZoneModules, c.quietZone) << c.side << " " << c.width << "x" << c.height;
    EXPECT_EQ(p.imageWidth, c.width);
    EXPECT_EQ(p.imageHeight, c.height);
    EXPECT_EQ(p.textBandHeight, 0);
  }
}

TEST(PicturePlacement, ThePictureShowsTheModulesTheDrawingPaints) {
  std::mt19937 random(7);
  qr::SymbolMatrix matrix;
  ASSERT_TRUE(matrix.Allocate(25));
  for (int r = 0; r < 25; ++r)
    for (int c = 0; c < 25; ++c) matrix.module(r, c) = random() % 2;
  for (int orientation = 0; orientation < 4; ++orientation) {
    const qr::PicturePlacement placement = qr::PlacePicture(25, 131, 117, 4, orientation);
    qr::PaletteRaster raster;
    ASSERT_TRUE(raster.Allocate(131, 117, 1));
    qr::DrawSymbolOnRaster(raster, placement, matrix, {qr::kBlack, qr::kWhite, 0}, 0, 0);
    const qr::SymbolPicture picture(matrix.modules(), 25, placement);
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x) {
        const int px = static_cast<int>(placement.symbolLeft) + 4 * x + 2;
        const int py = static_cast<int>(placement.symbolTop) + 4 * y + 2;
        ASSERT_EQ(raster.PixelAt(px, py) == 0, picture.Dark(x, y))
            << orientation << ": " << x << "," << y;
        // Orientation 0 is the exports' pattern data.
        if (orientation == 0) {
          ASSERT_EQ(picture.Dark(x, y), qr::PictureModule(matrix, x, y));
        }
      }
  }
}

TEST(PicturePlacement, AutomaticModuleIsTheLargestWithItsMargin) {
  struct Case {
    int side, width, height, module, quietZone, band;
    int chosen;
  };
  const Case cases[] = {
      {29, 200, 200, 0, 4, 0, 5},   // 37 modules in 200: 5 px (6 would need 222)
      {29, 200, 200, 0, 0, 0, 6},   // the symbol alone: 174
      {29, 222, 240, 0, 4, 0, 6},   // exactly 37 x 6: the narrower side counts
      {21, 200, 230, 0, 4, 40, 6},  // the text band takes from the height: 190 / 29
      {21, 20, 20, 0, 0, 0, 0},     // not even one pixel a module
      {21, 200, 200, 8, 4, 0, 8},   // a module of its own is kept, fit or not
      {21, 200, 30, 0, 0, 40, 0},   // no room above the band
  };
  for (const Case &c : cases) {
    qr::PictureRequest request;
    request.width = c.width;
    request.height = c.height;
    request.modulePixels = c.module;
    request.quietZoneModules = c.quietZone;
    request.textBandHeight = c.band;
    const int chosen = qr::RequestedModulePixels(c.side, request);
    EXPECT_EQ(chosen, c.chosen) << c.side << " in " << c.width << "x" << c.height;
    if (c.module != 0 || chosen == 0) continue;
    // The chosen module fits with its margin; one more does not.
    const int room = std::min(c.width, c.height - c.band);
    EXPECT_LE(qr::FramedSymbolPixels(c.side, c.quietZone, chosen), room);
    EXPECT_GT(qr::FramedSymbolPixels(c.side, c.quietZone, chosen + 1), room);
    // Placed in the whole picture, the margin is at least the one asked.
    if (c.band == 0) {
      EXPECT_GE(qr::PlacePicture(c.side, c.width, c.height, chosen, 1).quietZoneModules,
                c.quietZone);
    }
  }
  EXPECT_EQ(qr::FramedSymbolPixels(177, 1000, 0x7FFFFFFF), 0x7FFFFFFF);  // saturated
}

}  // namespace
