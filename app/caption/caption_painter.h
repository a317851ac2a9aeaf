// Captions laid out and drawn with one text stack: one painter per thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

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

  // LayOutCaption with this painter's stack; a caption laid out before in
  // the same band is taken as it was. Valid until the next call.
  const CaptionLayout &Lay(std::string_view utf8, int width, int bandHeight);

  // The layout's ink in a band of width x bandHeight; valid until the next
  // call.
  const GreyBand &Paint(const CaptionLayout &layout, int width, int bandHeight);

  TextStack &stack() { return *stack_; }

 private:
  std::unique_ptr<TextStack> stack_;
  GreyBand band_;
  CaptionLayout none_;
  // Layouts by band size and caption, a few thousand at most (a list's
  // captions repeat: a product name, a site).
  std::unordered_map<std::string, CaptionLayout> layouts_;
};

// The band as rows of a 1-bit picture whose palette index 0 is black and 1
// white (the bitmap file's): ink of half coverage or more is black.
// `firstRow` receives the band's top row; each next row is `step` bytes on
// (negative for a bottom-up bitmap).
void BandToBitRows(const GreyBand &band, uint8_t *firstRow, std::ptrdiff_t step);

}  // namespace qrcaption
