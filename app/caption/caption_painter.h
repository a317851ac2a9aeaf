// Captions laid out and drawn with one text stack: one painter per thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "caption_layout.h"
#include "text_stack.h"

namespace qrcaption {

class CaptionPainter {
 public:
  CaptionPainter();
  ~CaptionPainter();
  CaptionPainter(const CaptionPainter &) = delete;
  CaptionPainter &operator=(const CaptionPainter &) = delete;

  // False when the system's text stack could not be set up.
  bool ready() const { return stack_ != nullptr; }

  // LayOutCaption with this painter's stack.
  CaptionLayout Lay(std::string_view utf8, int width, int bandHeight);

  // The layout's ink in a band of width x bandHeight; valid until the next
  // call.
  const GreyBand &Paint(const CaptionLayout &layout, int width, int bandHeight);

  TextStack &stack() { return *stack_; }

 private:
  std::unique_ptr<TextStack> stack_;
  GreyBand band_;
};

// The band as rows of a 1-bit picture whose palette index 0 is black and 1
// white (the bitmap file's): ink of half coverage or more is black.
// `firstRow` receives the band's top row; each next row is `step` bytes on
// (negative for a bottom-up bitmap).
void BandToBitRows(const GreyBand &band, uint8_t *firstRow, std::ptrdiff_t step);

}  // namespace qrcaption
