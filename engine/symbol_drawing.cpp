#include "symbol_drawing.h"

#include <cstdint>
#include <limits>

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

void Fill(DrawTarget &target, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t colour) {
  target.FillRect(Saturate(left), Saturate(top), Saturate(right), Saturate(bottom), colour);
}

void Line(DrawTarget &target, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  target.MoveTo(Saturate(x0), Saturate(y0));
  target.LineTo(Saturate(x1), Saturate(y1));
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

void DrawSymbol(DrawTarget &target, const SymbolMatrix &matrix, const EngineState &state, int x0, int y0) {
  const int64_t width = state.imageWidth, height = state.imageHeight;
  const int64_t m = state.modulePixels;
  const int side = matrix.side();
  const int64_t extent = side * m;
  const int64_t offX = (width - extent) / 2, offY = (height - extent) / 2;  // truncate toward zero

  Fill(target, x0, y0, x0 + width, y0 + height, state.backColor);

  // Orientation n is the picture turned n quarter turns counter-clockwise;
  // orientations 1 and 2 take one offset from the far side of the area.
  int64_t left = x0 + offX, top = y0 + offY;
  if (state.orientation == 1) top = y0 + (height - extent - offY);
  if (state.orientation == 2) left = x0 + (width - extent - offX);

  // Picture order: matrix column c ascending, within it row r descending.
  for (int c = 0; c < side; ++c) {
    for (int r = side - 1; r >= 0; --r) {
      if (!matrix.module(r, c)) continue;
      int x, y;
      switch (state.orientation) {
        case 1: x = c, y = r; break;
        case 2: x = r, y = side - 1 - c; break;
        case 3: x = side - 1 - c, y = side - 1 - r; break;
        default: x = side - 1 - r, y = c; break;
      }
      Fill(target, left + x * m, top + y * m, left + (x + 1) * m, top + (y + 1) * m, state.barColor);
    }
  }

  DrawFrame(target, x0, y0, width, height, state.frameStyle);
}

void DrawFrame(DrawTarget &target, int64_t x0, int64_t y0, int64_t width, int64_t height, int style) {
  if (style == 2) DrawSolidFrame(target, x0, y0, width, height);
  if (style == 1) DrawDashedFrame(target, x0, y0, width, height);
}

}  // namespace qr
