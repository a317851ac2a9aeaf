// What the symbol drawing needs from a surface: rectangle fills in a colour
// and lines with the surface's own pen, all in whole device units (x to the
// right, y downward).
#pragma once

#include <algorithm>
#include <cstdint>

namespace qr {

class DrawTarget {
 public:
  virtual ~DrawTarget() = default;
  // Fills x in [left, right) and y in [top, bottom); colour is 0x00BBGGRR.
  virtual void FillRect(int left, int top, int right, int bottom, uint32_t colour) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current point up to, not including, (x, y) with the
  // surface's current pen, and makes (x, y) current.
  virtual void LineTo(int x, int y) = 0;
};

// Cuts [left, right) x [top, bottom) to the width x height area at the
// origin; false when nothing of it is left.
inline bool ClipToArea(int &left, int &top, int &right, int &bottom, int width, int height) {
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, width), bottom = std::min(bottom, height);
  return left < right && top < bottom;
}

}  // namespace qr
