// A label's caption as real text (glyphs of an embedded font, not
// outlines): laid out at the nominal size, smaller down to a readable
// minimum when too wide, then wrapped; never cut.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

namespace qrsheets {

struct CaptionStyle {
  std::string family = "WenQuanYi Micro Hei";
  double largestPt = 9;   // the nominal size
  double smallestPt = 5;  // readable on a label held in the hand
  int mostLines = 3;
};

class CaptionText {
 public:
  // Draws on `cairo`, whose user units are millimetres.
  CaptionText(cairo_t *cairo, const CaptionStyle &style);
  ~CaptionText();
  CaptionText(const CaptionText &) = delete;
  CaptionText &operator=(const CaptionText &) = delete;

  // Lays out `utf8` (invalid bytes are shown as U+FFFD) within `width` mm.
  // False when even the smallest size needs more than mostLines lines; else
  // `height` is the text's height in mm.
  bool Fit(const std::string &utf8, double width, double &height);
  // Draws what Fit laid out last, centred on `centreX`, its top at `top`.
  void Draw(double centreX, double top);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qrsheets
