// Where a caption's lines go: one rule over a measuring function, for every
// caption the programs set (an image's band in pixels, a label in
// hundredths of a point), so it holds for any text stack and any unit.
//
// A caption is set on one line at the largest size; a caption too wide for
// that shrinks, down to the smallest size; one too wide even then wraps at
// its break opportunities into as many lines as the box holds, at the
// largest size that stacks them in it. A caption that does not fit that way
// does not fit: it is never cut, and no character is added (no hyphen where
// an address wraps): the lines joined again, with a space where a line
// broke at spaces, are the caption. A word wider than a line breaks between
// its characters.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text_stack.h"

namespace qrcaption {

// The smallest font, in pixels to the em, an image's caption shrinks to:
// about 7.5 pt on a 96 dpi screen, small print still read without a lens.
inline constexpr int kSmallestCaptionPixels = 10;

// The room a caption's lines share and the font sizes (to the em) it may
// take, all in one unit.
struct CaptionBox {
  int width = 0;     // across: no line is wider
  int height = 0;    // down: the lines stacked are no taller
  int largest = 0;   // the size a caption starts at
  int smallest = 0;  // the size it shrinks to, never below
};

struct CaptionLine {
  std::string text;
  int left = 0;  // the line's box in the band (or the box)
  int top = 0;
  int width = 0;  // as measured at the layout's size
};

struct CaptionLayout {
  bool fits = false;
  int size = 0;  // font size to the em
  int lineHeight = 0;
  int ascent = 0;                  // from a line's top to its baseline
  std::vector<CaptionLine> lines;  // none for an empty caption
};

using MeasureText = std::function<TextExtent(std::string_view utf8, int size)>;

// Lays `utf8` (valid UTF-8, as CaptionText gives it) out in `box`: each
// line centred across it, the lines together centred down it.
CaptionLayout LayOutLines(std::string_view utf8, const CaptionBox &box, const MeasureText &measure);

// An image's band of width x bandHeight pixels: the largest size is two
// thirds of its height, the sides keep a sixth of the height clear.
int LargestCaptionPixels(int bandHeight);
int CaptionSidePadding(int bandHeight);
CaptionBox BandBox(int width, int bandHeight);

// LayOutLines in an image's band, the lines placed in the whole band.
CaptionLayout LayOutCaption(std::string_view utf8, int width, int bandHeight,
                            const MeasureText &measure);

}  // namespace qrcaption
