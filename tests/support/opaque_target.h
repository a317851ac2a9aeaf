// A drawing target that hands every call on to a raster while hiding what
// it is: the drawing then paints the raster one fill per module, as on any
// other target, instead of row by row. Tests compare the two; the
// benchmarks time them.
#pragma once

#include <cstdint>

#include "draw_target.h"
#include "palette_raster.h"

namespace qrtest {

class OpaqueTarget : public qr::DrawTarget {
 public:
  explicit OpaqueTarget(qr::PaletteRaster &raster) : raster_(raster) {}
  void FillRect(int left, int top, int right, int bottom, uint32_t colour) override {
    raster_.FillRect(left, top, right, bottom, colour);
  }
  void MoveTo(int x, int y) override { raster_.MoveTo(x, y); }
  void LineTo(int x, int y) override { raster_.LineTo(x, y); }

 private:
  qr::PaletteRaster &raster_;
};

}  // namespace qrtest
