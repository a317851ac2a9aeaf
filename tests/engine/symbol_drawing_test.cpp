// Drawing a symbol on a caller's target: module size, placement in the
// area for every orientation, fill order, border, measuring, and the
// raster's row-wise drawing against one fill per module.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine_state.h"
#include "palette_raster.h"
#include "pattern_data.h"
#include "state_picture.h"
#include "symbol_drawing.h"

namespace {

struct Fill {
  int left, top, right, bottom;
  unsigned colour;
  bool operator==(const Fill &o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
           colour == o.colour;
  }
};

struct Line {
  int x0, y0, x1, y1;
  bool operator==(const Line &o) const {
    return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1;
  }
};

// A caller's device that records what is drawn on it.
struct RecordingDevice {
  std::vector<Fill> fills;
  std::vector<Line> lines;
  int penX = 0, penY = 0;
  QRDrawTarget target{};

  RecordingDevice(int horizontalDpi, int verticalDpi) {
    target.horizontalDpi = horizontalDpi;
    target.verticalDpi = verticalDpi;
    target.context = this;
    target.fillRect = [](void *self, int l, int t, int r, int b, unsigned colour) {
      static_cast<RecordingDevice *>(self)->fills.push_back({l, t, r, b, colour});
    };
    target.moveTo = [](void *self, int x, int y) {
      auto *device = static_cast<RecordingDevice *>(self);
      device->penX = x, device->penY = y;
    };
    target.lineTo = [](void *self, int x, int y) {
      auto *device = static_cast<RecordingDevice *>(self);
      device->lines.push_back({device->penX, device->penY, x, y});
      device->penX = x, device->penY = y;
    };
  }
};

// Black on white, 500 x 300, 0.07 cm modules: 3 units at 96 dpi.
void SetUpVersion1(int orientation, int frame = 0, const char *message = "12") {
  QRSetDefault();
  QRSetMessage(message);
  QRAppearance(0.07, orientation, frame);
}

// The module grid as drawn: which module-sized cells of the symbol's box
// were filled with the bar colour.
std::string DrawnGrid(const RecordingDevice &device, int left, int top, int side, int m) {
  std::string grid(static_cast<size_t>(side) * side, '0');
  for (size_t i = 1; i < device.fills.size(); ++i) {
    const Fill &f = device.fills[i];
    EXPECT_EQ(f.right - f.left, m);
    EXPECT_EQ(f.bottom - f.top, m);
    EXPECT_EQ((f.left - left) % m, 0);
    EXPECT_EQ((f.top - top) % m, 0);
    const int x = (f.left - left) / m, y = (f.top - top) / m;
    if (x < 0 || y < 0 || x >= side || y >= side) {
      ADD_FAILURE() << "module outside the symbol box at " << f.left << "," << f.top;
      continue;
    }
    grid[static_cast<size_t>(y) * side + x] = '1';
  }
  return grid;
}

// The picture turned one quarter turn counter-clockwise.
std::string TurnCounterClockwise(const std::string &grid, int side) {
  std::string turned(grid.size(), '0');
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      turned[static_cast<size_t>(y) * side + x] =
          grid[static_cast<size_t>(x) * side + (side - 1 - y)];
  return turned;
}

TEST(ModulePixels, RoundsToNearestUnitWithHalfDown) {
  EXPECT_EQ(qr::ModulePixels(96, 0.07f, 0), 3);    // 2.6457...
  EXPECT_EQ(qr::ModulePixels(96, 0.2f, 0), 8);     // 7.559...
  EXPECT_EQ(qr::ModulePixels(127, 0.75f, 0), 37);  // exactly 37.5
  EXPECT_EQ(qr::ModulePixels(96, 0.01f, 0), 0);    // 0.378
  EXPECT_EQ(qr::ModulePixels(0, 0.07f, 9), 0);     // no resolution
}

TEST(ModulePixels, ZeroModuleSizeKeepsTheLastValue) {
  EXPECT_EQ(qr::ModulePixels(96, 0.0f, 7), 7);
  EXPECT_EQ(qr::ModulePixels(96, 0.0f, 0), 0);
}

TEST(ModulePixels, HugeModuleSizesSaturate) {
  EXPECT_EQ(qr::ModulePixels(96, 3.0e38f, 0), 2147483647);
  // A symbol that large is measured without overflow.
  EXPECT_EQ(qr::SymbolExtent(177, 2147483647), 2147483647);
}

TEST(Render, PlacesTheSymbolCentredInEveryOrientation) {
  // Version 1 (21 modules) at 3 units: 63 units; offsets 218 and 118.
  struct Case {
    int orientation, left, top;
  } cases[] = {{0, 218, 118}, {1, 218, 119}, {2, 219, 118}, {3, 218, 118}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.orientation);
    SetUpVersion1(c.orientation);
    RecordingDevice device(96, 96);
    QRRender(&device.target, 0, 0);
    ASSERT_FALSE(device.fills.empty());
    EXPECT_EQ(device.fills[0], (Fill{0, 0, 500, 300, 0xFFFFFF}));
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
    for (size_t i = 1; i < device.fills.size(); ++i) {
      EXPECT_EQ(device.fills[i].colour, 0x000000u);
      minX = std::min(minX, device.fills[i].left), minY = std::min(minY, device.fills[i].top);
      maxX = std::max(maxX, device.fills[i].right), maxY = std::max(maxY, device.fills[i].bottom);
    }
    // Finder patterns reach three corners, so the dark modules span the symbol.
    EXPECT_EQ(minX, c.left);
    EXPECT_EQ(minY, c.top);
    EXPECT_EQ(maxX, c.left + 63);
    EXPECT_EQ(maxY, c.top + 63);
    EXPECT_TRUE(device.lines.empty());
  }
}

TEST(Render, OrientationNIsThePictureTurnedNQuarterTurnsCounterClockwise) {
  const int side = 25;  // version 2
  for (int orientation = 0; orientation < 4; ++orientation) {
    SCOPED_TRACE(orientation);
    SetUpVersion1(orientation, 0, "ORIENTATION CHECK 0123456789");
    std::string expected = qrtest::PatternData();
    ASSERT_EQ(expected.size(), static_cast<size_t>(side * side));
    for (int turn = 0; turn < orientation; ++turn) expected = TurnCounterClockwise(expected, side);

    RecordingDevice device(96, 96);
    QRRender(&device.target, 0, 0);
    const int extent = side * 3;
    const int left = (500 - extent) / 2 + (orientation == 2 ? 1 : 0);
    const int top = (300 - extent) / 2 + (orientation == 1 ? 1 : 0);
    EXPECT_EQ(DrawnGrid(device, left, top, side, 3), expected);
  }
}

TEST(Render, FillsDarkModulesOnceEachInPictureOrder) {
  SetUpVersion1(0);
  int side = 0;
  const std::string picture = qrtest::PatternData(&side);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  std::vector<Fill> expected{{0, 0, 500, 300, 0xFFFFFF}};
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      if (picture[static_cast<size_t>(y) * side + x] == '1')
        expected.push_back({218 + 3 * x, 118 + 3 * y, 221 + 3 * x, 121 + 3 * y, 0x000000});
  EXPECT_EQ(device.fills, expected);
}

TEST(Render, AreaSmallerThanTheSymbolCentresWithNegativeOffsets) {
  SetUpVersion1(0);
  QRSetSize(40, 40);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 100, 100);
  ASSERT_GT(device.fills.size(), 1u);
  EXPECT_EQ(device.fills[0], (Fill{100, 100, 140, 140, 0xFFFFFF}));
  int minX = 1 << 30, maxY = -1;
  for (size_t i = 1; i < device.fills.size(); ++i)
    minX = std::min(minX, device.fills[i].left), maxY = std::max(maxY, device.fills[i].bottom);
  EXPECT_EQ(minX, 100 - 11);
  EXPECT_EQ(maxY, 100 - 11 + 63);
}

TEST(Render, CornerIsTakenAsUnsigned16BitValues) {
  SetUpVersion1(0);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0x10005, -1);
  ASSERT_FALSE(device.fills.empty());
  EXPECT_EQ(device.fills[0], (Fill{5, 65535, 505, 65835, 0xFFFFFF}));
}

TEST(Render, UsesTheVerticalResolutionForOrientationsZeroAndTwo) {
  for (int orientation = 0; orientation < 4; ++orientation) {
    SetUpVersion1(orientation);
    RecordingDevice device(96, 192);  // 3 units across, 5 down
    QRRender(&device.target, 0, 0);
    ASSERT_GT(device.fills.size(), 1u);
    const Fill &module = device.fills[1];
    EXPECT_EQ(module.right - module.left, orientation % 2 == 0 ? 5 : 3) << orientation;
  }
}

TEST(Render, CustomColoursPaintBackgroundAndBars) {
  SetUpVersion1(0);
  QRSetBackColor(10, 20, 30);
  QRSetBarColor(200, 100, 0);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  ASSERT_GT(device.fills.size(), 1u);
  EXPECT_EQ(device.fills[0].colour, 0x1E140Au);
  EXPECT_EQ(device.fills[1].colour, 0x0064C8u);
}

TEST(Render, MessageThatFitsNoVersionDrawsNothing) {
  SetUpVersion1(0, 2, std::string(7090, '1').c_str());
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  EXPECT_TRUE(device.fills.empty());
  EXPECT_TRUE(device.lines.empty());
}

TEST(Render, WithoutDeviceDrawsNothingAndSurvives) {
  SetUpVersion1(0);
  qr::engineState.version = 0;
  QRRender(nullptr, 0, 0);
  // The encoding still ran, as in every producer...
  EXPECT_EQ(qr::engineState.version, 1);
  // ...and the engine draws as before on the next device.
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  ASSERT_FALSE(device.fills.empty());
  EXPECT_EQ(device.fills[0], (Fill{0, 0, 500, 300, 0xFFFFFF}));
  EXPECT_GT(device.fills.size(), 1u);
}

TEST(Render, ZeroModuleSizeDrawsOnlyBackgroundAndBorder) {
  SetUpVersion1(0, 2);
  qr::engineState.moduleSize = 0.0f;  // the value at load
  qr::engineState.modulePixels = 0;
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  ASSERT_FALSE(device.fills.empty());
  EXPECT_EQ(device.fills[0], (Fill{0, 0, 500, 300, 0xFFFFFF}));
  for (size_t i = 1; i < device.fills.size(); ++i) {
    EXPECT_EQ(device.fills[i].left, device.fills[i].right);  // empty
  }
  EXPECT_EQ(device.lines.size(), 4u);
}

TEST(Frame, SolidBorderRunsAlongTheOutermostUnits) {
  SetUpVersion1(0, 2);
  QRSetSize(10, 8);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 3, 4);
  const std::vector<Line> expected{{3, 4, 13, 4}, {12, 4, 12, 12}, {13, 11, 3, 11}, {3, 12, 3, 4}};
  EXPECT_EQ(device.lines, expected);
}

TEST(Frame, DashedBorderOnASmallArea) {
  SetUpVersion1(0, 1);
  QRSetSize(10, 10);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  // Steps 0 and 1 across: one dash on top and bottom; the vertical edges
  // start with the flag on again.
  const std::vector<Line> expected{{0, 0, 4, 0}, {0, 9, 4, 9}, {0, 0, 0, 4}, {9, 0, 9, 4}};
  EXPECT_EQ(device.lines, expected);
}

TEST(Frame, DashedBorderShortensTheLastDashAtTheCorner) {
  SetUpVersion1(0, 1);
  QRSetSize(20, 4);
  RecordingDevice device(96, 96);
  QRRender(&device.target, 0, 0);
  // Across: k = 0 (0-4), 2 (8-12), 4 (16, cut to 19); the flag is off
  // after five steps, so the single vertical step draws nothing.
  const std::vector<Line> expected{{0, 0, 4, 0},  {0, 3, 4, 3},   {8, 0, 12, 0},
                                   {8, 3, 12, 3}, {16, 0, 19, 0}, {16, 3, 19, 3}};
  EXPECT_EQ(device.lines, expected);
}

TEST(ActualSize, MeasuresOnTheScreenOrOnTheGivenDevice) {
  SetUpVersion1(0);
  int width = -1, height = -1;
  QRGetActualSize(-1, nullptr, &width, &height);
  EXPECT_EQ(width, 63);
  EXPECT_EQ(height, 63);

  RecordingDevice device(96, 192);  // 5 units per module vertically
  QRGetActualSize(0, &device.target, &width, &height);
  EXPECT_EQ(width, 105);
  EXPECT_EQ(height, 105);
  EXPECT_TRUE(device.fills.empty());

  QRAppearance(0.07, 1, 0);  // now the horizontal resolution counts
  QRGetActualSize(0, &device.target, &width, &height);
  EXPECT_EQ(width, 63);
}

TEST(ActualSize, ZeroWhenTheMessageFitsNoVersionOrModulesAreZero) {
  SetUpVersion1(0, 0, std::string(7090, '1').c_str());
  int width = -1, height = -1;
  QRGetActualSize(-1, nullptr, &width, &height);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);

  SetUpVersion1(0);
  qr::engineState.moduleSize = 0.0f;
  qr::engineState.modulePixels = 0;
  QRGetActualSize(-1, nullptr, &width, &height);
  EXPECT_EQ(width, 0);
  QRGetActualSize(-1, nullptr, nullptr, nullptr);  // no outputs: nothing written
}

TEST(RasterDrawing, RowByRowGivesTheBytesOfOneFillPerModule) {
  std::mt19937 random(2021);
  auto pick = [&random](int low, int high) {
    return low + static_cast<int>(random() % (high - low + 1));
  };
  const uint32_t colours[] = {0x000000, 0xFFFFFF, 0x0000A0, 0x404040, 0x00FF00, 0xC0C0C0};
  for (int round = 0; round < 600; ++round) {
    qr::SymbolMatrix matrix;
    ASSERT_TRUE(matrix.Allocate(4 * pick(1, 12) + 17));
    const int density = pick(0, 4);  // from all light to all dark
    for (int r = 0; r < matrix.side(); ++r)
      for (int c = 0; c < matrix.side(); ++c) matrix.module(r, c) = pick(1, 4) <= density;

    qr::EngineState state{};
    state.imageWidth = pick(1, 260);
    state.imageHeight = pick(1, 260);
    state.orientation = pick(-1, 5);
    state.frameStyle = pick(0, 2);
    state.modulePixels = round % 50 == 0  ? 0x7FFFFFFF
                         : round % 4 == 0 ? 4 * pick(1, 4)
                                          : pick(-2, 11);
    state.barColor = colours[pick(0, 5)];
    state.backColor = colours[pick(0, 5)];
    const int bits = pick(0, 1) ? 1 : 4;
    const int x0 = round % 3 == 0 ? pick(-40, 40) : 0, y0 = round % 3 == 0 ? pick(-40, 40) : 0;
    SCOPED_TRACE(testing::Message()
                 << "round " << round << ": side " << matrix.side() << ", " << state.imageWidth
                 << " x " << state.imageHeight << ", orientation " << state.orientation
                 << ", frame " << state.frameStyle << ", m " << state.modulePixels << ", " << bits
                 << " bits, origin " << x0 << "," << y0);

    qr::PaletteRaster byRows, byFills;
    ASSERT_TRUE(byRows.Allocate(state.imageWidth, state.imageHeight, bits));
    ASSERT_TRUE(byFills.Allocate(state.imageWidth, state.imageHeight, bits));
    const qr::PicturePlacement placement = qr::PlacementOf(state, matrix.side());
    qr::DrawSymbolOnRaster(byRows, placement, matrix, qr::StyleOf(state), x0, y0);
    qr::DrawSymbol(byFills, placement, matrix, qr::StyleOf(state), x0, y0);
    ASSERT_EQ(
        std::vector<uint8_t>(byRows.pixelRows(), byRows.pixelRows() + byRows.pixelBytes()),
        std::vector<uint8_t>(byFills.pixelRows(), byFills.pixelRows() + byFills.pixelBytes()));
  }
}

TEST(RasterDrawing, CellsAreFilledAndRowsRepeatedInsideTheRaster) {
  const uint8_t cells[] = {1, 1, 0, 1, 0, 0, 1};
  for (int bits : {1, 4})
    for (int64_t left : {-5, 0, 2, 8, 60})
      for (int64_t cellWidth : {1, 2, 3, 8, 16}) {
        SCOPED_TRACE(testing::Message()
                     << bits << " bits, cells of " << cellWidth << " from " << left);
        qr::PaletteRaster raster;
        ASSERT_TRUE(raster.Allocate(70, 7, bits));
        raster.FillCells(2, left, cellWidth, cells, 1, 7, 0xFFFFFF);
        raster.RepeatRow(2, 4);   // rows 3 to 5
        raster.RepeatRow(5, 9);   // row 6, and nothing past the raster
        raster.RepeatRow(-1, 3);  // no such row: nothing happens
        raster.FillCells(7, 0, 8, cells, 1, 7, 0xFFFFFF);
        for (int y = 0; y < 7; ++y)
          for (int x = 0; x < 70; ++x) {
            const int64_t k = x >= left ? (x - left) / cellWidth : -1;
            const bool lit = y >= 2 && k >= 0 && k < 7 && cells[k];
            ASSERT_EQ(raster.PixelAt(x, y), lit ? raster.paletteSize() - 1 : 0) << x << "," << y;
          }
      }
}

}  // namespace
