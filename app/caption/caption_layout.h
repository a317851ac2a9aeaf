// Where a caption's lines go in the band under the symbol: plain rules over
// a measuring function, so they hold for any text stack.
//
// The caption is centred in the image's width. It is set on one line at
// the largest size (two thirds of the band's height); a caption too wide
// for that shrinks, down to kSmallestCaptionPixels; one too wide even then
// wraps into as many lines as the band holds, at the largest size that
// stacks them in it. A caption that does not fit that way does not fit:
// it is never cut.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text_stack.h"

namespace qrcaption {

// The smallest font, in pixels to the em, a caption shrinks to: about
// 7.5 pt on a 96 dpi screen, small print still read without a lens.
inline constexpr int kSmallestCaptionPixels = 10;

struct CaptionLine {
  std::string text;
  int left = 0;  // the line's box in the band
  int top = 0;
};

struct CaptionLayout {
  bool fits = false;
  int pixelSize = 0;
  int lineHeight = 0;
  int ascent = 0;                  // from a line's top to its baseline
  std::vector<CaptionLine> lines;  // none for an empty caption
};

// The font sizes for a band: the largest is two thirds of its height; the
// sides keep a sixth of the height clear.
int LargestCaptionPixels(int bandHeight);
int CaptionSidePadding(int bandHeight);

using MeasureText = std::function<TextExtent(std::string_view utf8, int pixelSize)>;

// Lays `utf8` (valid UTF-8, as CaptionText gives it) out in a band of
// width x bandHeight pixels.
CaptionLayout LayOutCaption(std::string_view utf8, int width, int bandHeight,
                            const MeasureText &measure);

}  // namespace qrcaption
