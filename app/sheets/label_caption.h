// A label's caption: laid out by the captions' one rule (LayOutLines, the
// same as an image's) in hundredths of a point, measured by the system's
// text stack, and drawn as real text (glyphs of an embedded font, not
// outlines) exactly in the lines laid out.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <string>

#include "caption_layout.h"
#include "text_stack.h"

namespace qrsheets {

struct CaptionStyle {
  double largestPt = 9;   // the nominal size
  double smallestPt = 5;  // readable on a label held in the hand
  int mostLines = 3;      // at the smallest size: the height the lines share
  double heightPt = 0;    // that height given instead (0: mostLines lines)
};

// Labels' captions are laid out in hundredths of a point.
inline constexpr double kMmPerCaptionUnit = 25.4 / 72 / 100;

// Lays captions out for labels of one style; one per thread (it keeps a
// text stack).
class LabelCaptions {
 public:
  explicit LabelCaptions(const CaptionStyle &style);
  ~LabelCaptions();
  LabelCaptions(const LabelCaptions &) = delete;
  LabelCaptions &operator=(const LabelCaptions &) = delete;

  // `utf8` made a caption (CaptionText: controls as spaces, invalid bytes
  // as U+FFFD) and laid out within `widthMm`; fits false when it does not
  // fit, or when the text stack could not be set up. Valid until the next
  // call; the same caption and width again are laid out once.
  const qrcaption::CaptionLayout &Lay(const std::string &utf8, double widthMm);

 private:
  CaptionStyle style_;
  std::unique_ptr<qrcaption::TextStack> stack_;
  std::string lastCaption_;
  double lastWidth_ = -1;
  qrcaption::CaptionLayout last_;
};

// The height a layout's lines take, in mm (0 without lines).
double CaptionHeightMm(const qrcaption::CaptionLayout &layout);

// Draws laid-out lines on a cairo context whose user units are mm, in the
// caption font: pango natively, cairo's win32 font face on Windows. One
// per context.
class CaptionPen {
 public:
  explicit CaptionPen(cairo_t *cairo);
  ~CaptionPen();
  CaptionPen(const CaptionPen &) = delete;
  CaptionPen &operator=(const CaptionPen &) = delete;

  // Each line centred on `centreX`, the first line's top at `top`.
  void Draw(const qrcaption::CaptionLayout &layout, double centreX, double top);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qrsheets
