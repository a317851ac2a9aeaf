// Drawing geometry: the module side in device units, and the one routine
// that paints a symbol (background, dark modules, border) onto any target.
#pragma once

#include <cstdint>

#include "app_api/picture_placement.h"
#include "draw_target.h"
#include "symbol_matrix.h"

namespace qr {

class PaletteRaster;

// Module side for `dpi` dots per inch and a module of `moduleSize` cm,
// rounded to the nearest unit (an exact half rounds down). A module size of
// 0 keeps `current`: the value is left as the last drawing computed it.
int32_t ModulePixels(int dpi, float moduleSize, int32_t current);

// Which axis sets the module side. Drawing on a caller's device measures
// along the vertical axis for orientations 0 and 2, the engine's own
// outputs along the horizontal one; orientations 1 and 3 swap the axes.
int RenderResolution(int orientation, int horizontalDpi, int verticalDpi);
int OutputResolution(int orientation, int horizontalDpi, int verticalDpi);

// Symbol extent S x m in device units, saturated to the int range.
int SymbolExtent(int side, int32_t modulePixels);

// Colours (0x00BBGGRR) and border of a drawing.
struct SymbolStyle {
  uint32_t barColour;
  uint32_t backColour;
  int frameStyle;  // 0 none, 1 dashed, 2 solid
};

// Paints the placement's image area with its top-left corner at (x0, y0):
// background, every dark module of `matrix` as one fill (in picture order,
// what a recording target must receive), then the border.
void DrawSymbol(DrawTarget &target, const PicturePlacement &placement, const SymbolMatrix &matrix,
                const SymbolStyle &style, int x0, int y0);

// The same pixels on a raster; when the area covers the raster whole (the
// outputs' own rasters) drawn a row of modules at a time, far faster.
void DrawSymbolOnRaster(PaletteRaster &raster, const PicturePlacement &placement,
                        const SymbolMatrix &matrix, const SymbolStyle &style, int x0, int y0);

// Border on the outermost units of the area: style 1 dashed (four on, four
// off), 2 solid, anything else none. Uses the target's current pen.
void DrawFrame(DrawTarget &target, int64_t x0, int64_t y0, int64_t width, int64_t height,
               int style);

}  // namespace qr
