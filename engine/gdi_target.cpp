#include "gdi_target.h"

namespace qr {

GdiTarget::~GdiTarget() {
  for (auto &entry : brushes_) DeleteObject(entry.second);
}

HBRUSH GdiTarget::BrushFor(uint32_t colour) {
  for (auto &entry : brushes_)
    if (entry.first == colour) return entry.second;
  HBRUSH brush = CreateSolidBrush(colour);
  brushes_.emplace_back(colour, brush);
  return brush;
}

void GdiTarget::FillRect(int left, int top, int right, int bottom, uint32_t colour) {
  const RECT rect{left, top, right, bottom};
  ::FillRect(dc_, &rect, BrushFor(colour));
}

void GdiTarget::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiTarget::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

}  // namespace qr
