#include "bmp_file.h"

#include "byte_writer.h"

namespace qr {

std::vector<uint8_t> BitmapHeaders(const PaletteRaster &raster) {
  const uint32_t tableSize = 4u * raster.paletteSize();
  const uint32_t imageSize = static_cast<uint32_t>(raster.pixelBytes());
  const uint32_t pixelOffset = 14 + 40 + tableSize;

  ByteWriter out;
  out.bytes().reserve(pixelOffset);  // one allocation for the whole header
  out.Put8('B'), out.Put8('M');
  out.Put32(pixelOffset + imageSize);
  out.Put16(0), out.Put16(0);
  out.Put32(pixelOffset);

  out.Put32(40);
  out.Put32(static_cast<uint32_t>(raster.width()));
  out.Put32(static_cast<uint32_t>(raster.height()));  // positive: bottom row first
  out.Put16(1);
  out.Put16(static_cast<uint32_t>(raster.bitsPerPixel()));
  out.Put32(0);  // no compression
  out.Put32(imageSize);
  out.Put32(0), out.Put32(0);  // no physical resolution
  out.Put32(0), out.Put32(0);  // all colours of the table used and important

  for (int i = 0; i < raster.paletteSize(); ++i) {
    const uint32_t colour = raster.palette()[i];  // 0x00BBGGRR, stored blue, green, red, 0
    out.Put8(colour >> 16), out.Put8(colour >> 8), out.Put8(colour), out.Put8(0);
  }
  return std::move(out.bytes());
}

}  // namespace qr
