// A symbol as an SVG file: the picture the bitmap file shows (the engine's
// placement and modules) as one path of the dark modules over a white
// background, sized in px, or in mm when the batch states a resolution.
#pragma once

#include <string>

#include "picture_placement.h"

namespace qrimage {

// The SVG text of `picture` into `text` (replaced). With `dotsPerInch`
// above 0, width and height are stated in mm at that resolution; the view
// box stays in pixels.
void BuildSvg(const qr::SymbolPicture &picture, std::string &text, int dotsPerInch = 0);

}  // namespace qrimage
