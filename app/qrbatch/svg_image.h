// A symbol as an SVG file: the picture the bitmap file shows (the engine's
// placement and modules) as one path of the dark modules over a white
// background, sized in px.
#pragma once

#include <string>

#include "picture_placement.h"

namespace qrbatch {

// The SVG text of `picture` into `text` (replaced).
void BuildSvg(const qr::SymbolPicture &picture, std::string &text);

}  // namespace qrbatch
