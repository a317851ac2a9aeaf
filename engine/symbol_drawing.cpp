#include "symbol_drawing.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "palette_raster.h"

namespace qr {
namespace {

constexpr double kInchesPerCentimetre = 0.39370078740157477;

// Geometry is worked out in 64 bits (areas and modules can be huge);
// targets get coordinates clipped to their int range.
int Saturate(int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

void Fill(DrawTarget &target, int64_t left, int64_t top, int64_t right, int64_t bottom,
          uint32_t colour) {
  target.FillRect(Saturate(left), Saturate(top), Saturate(right), Saturate(bottom), colour);
}

void Line(DrawTarget &target, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  target.MoveTo(Saturate(x0), Saturate(y0));
  target.LineTo(Saturate(x1), Saturate(y1));
}

// Where the picture's row y lies in the matrix, in an orientation (n
// quarter turns counter-clockwise of the standard's figure): its module x
// is first[x * step].
struct PictureRow {
  const uint8_t *first;
  ptrdiff_t step;
};

PictureRow PictureRowOf(const SymbolMatrix &matrix, int orientation, int y) {
  const ptrdiff_t side = matrix.side(), last = side - 1;
  const uint8_t *modules = matrix.modules();
  switch (orientation) {
    case 1: return {modules + y * side, 1};                   // module (y, x)
    case 2: return {modules + (last - y), side};              // module (x, last - y)
    case 3: return {modules + (last - y) * side + last, -1};  // module (last - y, last - x)
    default: return {modules + last * side + y, -side};       // module (last - x, y)
  }
}

// One fill per dark module, in picture order (matrix column ascending,
// within it row descending): what a recording target must receive.
void FillModules(DrawTarget &target, const SymbolMatrix &matrix, int orientation, int64_t left,
                 int64_t top, int64_t m, uint32_t colour) {
  const int side = matrix.side();
  for (int c = 0; c < side; ++c) {
    for (int r = side - 1; r >= 0; --r) {
      if (!matrix.module(r, c)) continue;
      int x, y;
      switch (orientation) {
        case 1: x = c, y = r; break;
        case 2: x = r, y = side - 1 - c; break;
        case 3: x = side - 1 - c, y = side - 1 - r; break;
        default: x = side - 1 - r, y = c; break;
      }
      Fill(target, left + x * m, top + y * m, left + (x + 1) * m, top + (y + 1) * m, colour);
    }
  }
}

// The same pixels as the background fill and FillModules on a raster the
// area covers whole, with every pixel row written once: the first pixel
// row of each module row is painted (background, then its dark modules)
// and copied to the module's other pixel rows; the rows above, between
// and below the module rows are background copies as well. Fills of one
// colour that do not overlap give the same pixels in any order.
void PaintByRows(PaletteRaster &raster, const SymbolMatrix &matrix, int orientation, int64_t left,
                 int64_t top, int64_t m, uint32_t barColour, uint32_t backColour) {
  const int width = raster.width(), height = raster.height();
  auto background = [&](int from, int to) {
    if (from >= to) return;
    raster.FillSpan(from, 0, width, backColour);
    raster.RepeatRow(from, to - from);
  };
  int painted = 0;                             // rows above this one are done
  const int side = m > 0 ? matrix.side() : 0;  // modules of no size fill nothing
  for (int y = 0; y < side; ++y) {
    const int64_t rowTop = std::max<int64_t>(top + y * m, 0);
    const int64_t rowBottom = std::min<int64_t>(top + (y + 1) * m, height);
    if (rowTop >= rowBottom) continue;
    background(painted, static_cast<int>(rowTop));
    const PictureRow row = PictureRowOf(matrix, orientation, y);
    raster.FillSpan(static_cast<int>(rowTop), 0, width, backColour);
    raster.FillCells(static_cast<int>(rowTop), left, m, row.first, row.step, side, barColour);
    raster.RepeatRow(static_cast<int>(rowTop), static_cast<int>(rowBottom - rowTop));
    painted = static_cast<int>(rowBottom);
  }
  background(painted, height);
}

void DrawDashedFrame(DrawTarget &target, int64_t x0, int64_t y0, int64_t width, int64_t height) {
  bool on = true;  // carried from the horizontal edges into the vertical ones
  for (int64_t k = 0; k < width / 4; ++k, on = !on) {
    const int64_t start = x0 + 4 * k, limit = x0 + width - 1;
    int64_t end = start + 4;
    if (on && end + 4 > limit) end = limit;
    if (end > limit) end = limit;
    if (!on) continue;
    Line(target, start, y0, end, y0);
    Line(target, start, y0 + height - 1, end, y0 + height - 1);
  }
  for (int64_t k = 0; k < height / 4; ++k, on = !on) {
    const int64_t start = y0 + 4 * k, limit = y0 + height - 1;
    int64_t end = start + 4;
    if (on && end + 4 > limit) end = limit;
    if (end > limit) end = limit;
    if (!on) continue;
    Line(target, x0, start, x0, end);
    Line(target, x0 + width - 1, start, x0 + width - 1, end);
  }
}

void DrawSolidFrame(DrawTarget &target, int64_t x0, int64_t y0, int64_t width, int64_t height) {
  const int64_t right = x0 + width - 1, bottom = y0 + height - 1;
  Line(target, x0, y0, x0 + width, y0);
  Line(target, right, y0, right, y0 + height);
  Line(target, x0 + width, bottom, x0, bottom);
  Line(target, x0, y0 + height, x0, y0);
}

}  // namespace

int32_t ModulePixels(int dpi, float moduleSize, int32_t current) {
  if (moduleSize == 0.0f) return current;
  const double q = dpi * static_cast<double>(moduleSize) * kInchesPerCentimetre;
  if (!(q < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (!(q > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  int32_t m = static_cast<int32_t>(q);
  if (q - m > 0.5) ++m;
  return m;
}

int RenderResolution(int orientation, int horizontalDpi, int verticalDpi) {
  return orientation % 2 == 0 ? verticalDpi : horizontalDpi;
}

int OutputResolution(int orientation, int horizontalDpi, int verticalDpi) {
  return orientation % 2 == 0 ? horizontalDpi : verticalDpi;
}

int SymbolExtent(int side, int32_t modulePixels) {
  return Saturate(static_cast<int64_t>(side) * modulePixels);
}

PicturePlacement PlacePicture(int side, int width, int height, int modulePixels, int orientation) {
  PicturePlacement p;
  p.imageWidth = width;
  p.imageHeight = height;
  p.modulePixels = modulePixels;
  p.orientation = orientation;
  const int64_t m = modulePixels, extent = side * m;
  const int64_t offX = (width - extent) / 2, offY = (height - extent) / 2;  // truncate toward zero
  // Orientation n is the picture turned n quarter turns counter-clockwise;
  // orientations 1 and 2 take one offset from the far side of the area.
  p.symbolLeft = orientation == 2 ? width - extent - offX : offX;
  p.symbolTop = orientation == 1 ? height - extent - offY : offY;
  p.symbolExtent = extent;
  if (m > 0) {
    const int64_t margin = std::min(
        {p.symbolLeft, p.symbolTop, width - p.symbolLeft - extent, height - p.symbolTop - extent});
    p.quietZoneModules = margin > 0 ? static_cast<int>(margin / m) : 0;
  }
  return p;
}

void DrawSymbol(DrawTarget &target, const PicturePlacement &placement, const SymbolMatrix &matrix,
                const SymbolStyle &style, int x0, int y0) {
  const int64_t width = placement.imageWidth, height = placement.imageHeight;
  Fill(target, x0, y0, x0 + width, y0 + height, style.backColour);
  FillModules(target, matrix, placement.orientation, x0 + placement.symbolLeft,
              y0 + placement.symbolTop, placement.modulePixels, style.barColour);
  DrawFrame(target, x0, y0, width, height, style.frameStyle);
}

void DrawSymbolOnRaster(PaletteRaster &raster, const PicturePlacement &placement,
                        const SymbolMatrix &matrix, const SymbolStyle &style, int x0, int y0) {
  const int64_t width = placement.imageWidth, height = placement.imageHeight;
  if (!(x0 <= 0 && y0 <= 0 && x0 + width >= raster.width() && y0 + height >= raster.height())) {
    DrawSymbol(raster, placement, matrix, style, x0, y0);
    return;
  }
  PaintByRows(raster, matrix, placement.orientation, x0 + placement.symbolLeft,
              y0 + placement.symbolTop, placement.modulePixels, style.barColour, style.backColour);
  DrawFrame(raster, x0, y0, width, height, style.frameStyle);
}

void DrawFrame(DrawTarget &target, int64_t x0, int64_t y0, int64_t width, int64_t height,
               int style) {
  if (style == 2) DrawSolidFrame(target, x0, y0, width, height);
  if (style == 1) DrawDashedFrame(target, x0, y0, width, height);
}

}  // namespace qr
