// Drawing on a Windows device context: fills with solid brushes (one per
// colour, released with the target), lines with the context's current pen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "draw_target.h"

namespace qr {

class GdiTarget : public DrawTarget {
 public:
  explicit GdiTarget(HDC dc) : dc_(dc) {}
  ~GdiTarget() override;
  GdiTarget(const GdiTarget &) = delete;
  GdiTarget &operator=(const GdiTarget &) = delete;

  void FillRect(int left, int top, int right, int bottom, uint32_t colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

 private:
  HBRUSH BrushFor(uint32_t colour);

  HDC dc_;
  std::vector<std::pair<uint32_t, HBRUSH>> brushes_;
};

}  // namespace qr
