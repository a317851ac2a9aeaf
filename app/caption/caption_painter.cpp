#include "caption_painter.h"

#include <cstring>

namespace qrcaption {

CaptionPainter::CaptionPainter() : stack_(MakeTextStack()) {}

CaptionPainter::~CaptionPainter() = default;

CaptionLayout CaptionPainter::Lay(std::string_view utf8, int width, int bandHeight) {
  if (!stack_) return CaptionLayout();
  return LayOutCaption(utf8, width, bandHeight, [this](std::string_view text, int size) {
    return stack_->Measure(text, size);
  });
}

const GreyBand &CaptionPainter::Paint(const CaptionLayout &layout, int width, int bandHeight) {
  band_.Reset(width, bandHeight);
  if (!stack_) return band_;
  for (const CaptionLine &line : layout.lines)
    stack_->Draw(line.text, layout.pixelSize, line.left, line.top, band_);
  return band_;
}

void BandToBitRows(const GreyBand &band, uint8_t *firstRow, std::ptrdiff_t step) {
  const size_t rowBytes = (static_cast<size_t>(band.width) + 7) / 8;
  uint8_t *row = firstRow;
  for (int y = 0; y < band.height; ++y, row += step) {
    std::memset(row, 0xFF, rowBytes);
    const uint8_t *ink = band.pixels.data() + static_cast<size_t>(y) * band.stride;
    for (int x = 0; x < band.width; ++x) {
      if (ink[x] >= 128) row[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
    }
  }
}

}  // namespace qrcaption
