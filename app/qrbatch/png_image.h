// A drawn symbol as a PNG file: 1-bit greyscale, the same pixels as the
// bitmap file.
#pragma once

#include <cstdint>
#include <vector>

#include "symbol_engine.h"

namespace qrbatch {

// The PNG bytes of `image` into `bytes` (replaced); false when libpng fails.
bool EncodePng(const qr::BitmapImage &image, std::vector<uint8_t> &bytes);

}  // namespace qrbatch
