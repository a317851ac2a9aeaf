// A drawn symbol with its caption band under it, for the batches' writers:
// the symbol is drawn centred in the rows above the band.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "caption_layout.h"
#include "caption_painter.h"
#include "symbol_engine.h"

namespace qrimage {

class CaptionedImage {
 public:
  // Images of width x height whose bottom `bandHeight` rows hold captions.
  CaptionedImage(int width, int height, int bandHeight);

  int symbolHeight() const { return height_ - band_; }

  // A line's caption, UTF-8 text (both batches decode their lines), laid
  // out in the band (fits false: it does not fit).
  qrcaption::CaptionLayout Lay(const std::string &caption);

  // The bitmap `symbol` (width x symbolHeight(), as the engine drew it)
  // with the caption's band under it, as a whole bitmap image whose rows
  // are held here. False when the band could not be drawn.
  bool Compose(const qr::BitmapImage &symbol, const qrcaption::CaptionLayout &layout,
               qr::BitmapImage &image);

  // Adds the caption's lines to the SVG `text` of the whole image as text
  // in the caption font (before its closing tag).
  void AppendSvgText(const qrcaption::CaptionLayout &layout, std::string &text) const;

 private:
  int width_, height_, band_;
  qrcaption::CaptionPainter painter_;
  std::vector<uint8_t> rows_;
};

}  // namespace qrimage
