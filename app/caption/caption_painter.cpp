#include "caption_painter.h"

#include <algorithm>
#include <cstring>

namespace qrcaption {

CaptionPainter::CaptionPainter() : stack_(MakeTextStack()) {}

CaptionPainter::~CaptionPainter() = default;

const CaptionLayout &CaptionPainter::Lay(std::string_view utf8, int width, int bandHeight) {
  if (!stack_) return none_;
  std::string key = std::to_string(width) + 'x' + std::to_string(bandHeight) + ' ';
  key += utf8;
  const auto found = layouts_.find(key);
  if (found != layouts_.end()) return found->second;
  constexpr size_t kMostLayouts = 4096;
  if (layouts_.size() >= kMostLayouts) layouts_.clear();
  return layouts_[std::move(key)] = LayOutCaption(
             utf8, width, bandHeight,
             [this](std::string_view text, int size) { return stack_->Measure(text, size); });
}

const GreyBand &CaptionPainter::Paint(const CaptionLayout &layout, int width, int bandHeight) {
  band_.Reset(width, bandHeight);
  if (!stack_) return band_;
  for (const CaptionLine &line : layout.lines)
    stack_->Draw(line.text, layout.size, line.left, line.top, band_);
  return band_;
}

void BandToBitRows(const GreyBand &band, uint8_t *firstRow, std::ptrdiff_t step) {
  const size_t rowBytes = (static_cast<size_t>(band.width) + 7) / 8;
  uint8_t *row = firstRow;
  for (int y = 0; y < band.height; ++y, row += step) {
    const uint8_t *ink = band.pixels.data() + static_cast<size_t>(y) * band.stride;
    // Eight pixels to a byte, most of them blank: a whole byte at a time.
    for (size_t byte = 0; byte < rowBytes; ++byte) {
      const size_t first = byte * 8;
      const size_t count = std::min<size_t>(8, static_cast<size_t>(band.width) - first);
      unsigned bits = 0xFF;
      uint64_t eight = 0;
      if (count == 8) std::memcpy(&eight, ink + first, 8);
      if (count == 8 && eight == 0) {
        row[byte] = 0xFF;
        continue;
      }
      for (size_t i = 0; i < count; ++i) {
        if (ink[first + i] >= 128) bits &= ~(0x80u >> i);
      }
      row[byte] = static_cast<uint8_t>(bits);
    }
  }
}

}  // namespace qrcaption
