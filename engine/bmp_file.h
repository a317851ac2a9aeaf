// The device-independent bitmap file of a raster: 14-byte file header,
// 40-byte info header and colour table; the raster's pixel rows (bottom row
// first) follow them unchanged.
#pragma once

#include <cstdint>
#include <vector>

#include "palette_raster.h"

namespace qr {

// Everything of the file before the pixel rows.
std::vector<uint8_t> BitmapHeaders(const PaletteRaster &raster);

}  // namespace qr
