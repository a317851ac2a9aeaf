// The sheet's geometry from what users type, and the module rectangles
// the PDF draws (every dark module covered once, nothing else).
#include <gtest/gtest.h>

#include <random>

#include "module_rectangles.h"
#include "sheet_layout.h"

namespace qrsheets {
namespace {

struct LayoutCase {
  const char *what;
  SheetRequest request;
  int columns, rows;
  double labelWidth, labelHeight, left, top;
};

SheetRequest Request(double pageW, double pageH, int cols, int rows, double labelW, double labelH,
                     double margin = -1, double gap = 0) {
  SheetRequest r;
  r.pageWidth = pageW, r.pageHeight = pageH;
  r.columns = cols, r.rows = rows;
  r.labelWidth = labelW, r.labelHeight = labelH;
  r.marginX = r.marginY = margin;
  r.gapX = r.gapY = gap;
  return r;
}

TEST(SheetLayout, ResolvesWhatIsNotGiven) {
  const LayoutCase cases[] = {
      {"nothing given: 70 x 37 labels, 3 x 8 on A4, centred", Request(210, 297, 0, 0, 0, 0), 3, 8,
       70, 37, 0, 0.5},
      {"the same on letter: 3 x 7", Request(215.9, 279.4, 0, 0, 0, 0), 3, 7, 70, 37, 2.95,
       (279.4 - 7 * 37) / 2},
      {"a grid shares the page after margins and gaps", Request(210, 297, 2, 5, 0, 0, 10, 5), 2, 5,
       92.5, 51.4, 10, 10},
      {"a label size gets as many as fit", Request(210, 297, 0, 0, 60, 40, 10, 2), 3, 6, 60, 40, 10,
       10},
      {"both given, centred", Request(210, 297, 2, 2, 50, 50), 2, 2, 50, 50, 55, 98.5},
  };
  for (const LayoutCase &c : cases) {
    SCOPED_TRACE(c.what);
    SheetLayout layout;
    const qrplatform::Outcome laidOut = MakeSheetLayout(c.request, layout);
    ASSERT_TRUE(laidOut) << laidOut.reason();
    EXPECT_EQ(layout.columns, c.columns);
    EXPECT_EQ(layout.rows, c.rows);
    EXPECT_NEAR(layout.labelWidth, c.labelWidth, 1e-9);
    EXPECT_NEAR(layout.labelHeight, c.labelHeight, 1e-9);
    EXPECT_NEAR(layout.left, c.left, 1e-9);
    EXPECT_NEAR(layout.top, c.top, 1e-9);
    // The last cell ends inside the page.
    const int last = layout.cellsPerPage() - 1;
    EXPECT_LE(layout.CellLeft(last) + layout.labelWidth, layout.pageWidth + 1e-9);
    EXPECT_LE(layout.CellTop(last) + layout.labelHeight, layout.pageHeight + 1e-9);
  }
}

TEST(SheetLayout, RefusesSheetsThatCannotBe) {
  SheetRequest tooWide = Request(210, 297, 4, 8, 70, 37);
  SheetRequest tooLarge = Request(100, 100, 0, 0, 120, 30);
  SheetRequest noRoom = Request(210, 297, 30, 2, 0, 0, 105);
  SheetRequest firstOutside = Request(210, 297, 3, 8, 0, 0);
  firstOutside.first = 25;
  for (const SheetRequest &request : {tooWide, tooLarge, noRoom, firstOutside}) {
    SheetLayout layout;
    const qrplatform::Outcome laidOut = MakeSheetLayout(request, layout);
    EXPECT_FALSE(laidOut);
    EXPECT_FALSE(laidOut.reason().empty());
  }
}

TEST(SheetLayout, ReadsTheCommandLinesValues) {
  double w = 0, h = 0;
  EXPECT_TRUE(ParsePageSize("a4", w, h));
  EXPECT_EQ(w, 210);
  EXPECT_TRUE(ParsePageSize("100x150mm", w, h));
  EXPECT_EQ(h, 150);
  EXPECT_TRUE(ParsePair("12.5mm", w, h));
  EXPECT_EQ(w, 12.5);
  EXPECT_EQ(h, 12.5);
  EXPECT_TRUE(ParsePair("3x4.25", w, h));
  EXPECT_EQ(h, 4.25);
  int columns = 0, rows = 0;
  EXPECT_TRUE(ParseGrid("3x8", columns, rows));
  EXPECT_EQ(columns * 10 + rows, 38);
  for (const char *bad : {"", "x", "1x", "a5", "-3x4", "1.2.3", ".5", "0x0mm", "10mmx5"})
    EXPECT_FALSE(ParsePageSize(bad, w, h)) << bad;
  for (const char *bad : {"3x", "0x8", "3.5x8", "3x8x2", "3"})
    EXPECT_FALSE(ParseGrid(bad, columns, rows)) << bad;
}

TEST(ModuleRectangles, CoverEveryDarkModuleOnce) {
  std::mt19937 random(7);
  for (int side : {1, 2, 21, 57}) {
    for (int density : {0, 30, 70, 100}) {
      std::vector<uint8_t> modules(static_cast<size_t>(side) * side);
      for (uint8_t &m : modules) m = static_cast<int>(random() % 100) < density;
      // Whole bands of repeated rows must merge.
      if (side > 2) std::copy(modules.begin(), modules.begin() + side, modules.begin() + side);
      std::vector<ModuleRect> rects;
      DarkRectangles(modules, side, rects);
      std::vector<int> covered(modules.size(), 0);
      size_t runs = 0;
      for (const ModuleRect &r : rects) {
        ASSERT_GT(r.width, 0);
        ASSERT_GT(r.height, 0);
        for (int y = r.y; y < r.y + r.height; ++y)
          for (int x = r.x; x < r.x + r.width; ++x) ++covered[static_cast<size_t>(y) * side + x];
        runs += static_cast<size_t>(r.height);
      }
      for (size_t i = 0; i < modules.size(); ++i) ASSERT_EQ(covered[i], modules[i] ? 1 : 0);
      if (side > 2 && density > 0) {
        EXPECT_LT(rects.size(), runs) << side << " " << density;
      }
    }
  }
}

}  // namespace
}  // namespace qrsheets
