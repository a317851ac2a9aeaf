#include "qr_decoder.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace qrtest {

Decoded DecodeGrey(const std::vector<uint8_t> &pixels, int width, int height) {
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setTryHarder(true);
  hints.setCharacterSet("ISO-8859-1");
  ZXing::ImageView image(pixels.data(), width, height, ZXing::ImageFormat::Lum);
  ZXing::Result result = ZXing::ReadBarcode(image, hints);
  Decoded decoded;
  if (!result.isValid()) return decoded;
  decoded.ok = true;
  const auto &bytes = result.bytes();
  decoded.bytes.assign(bytes.begin(), bytes.end());
  const ZXing::ByteArray eci = result.bytesECI();
  decoded.bytesEci.assign(eci.begin(), eci.end());
  decoded.ecLevel = result.ecLevel();
  return decoded;
}

Decoded DecodePattern(const std::string &pattern, int side, int scale) {
  const int quiet = 4;
  const int size = (side + 2 * quiet) * scale;
  std::vector<uint8_t> pixels(static_cast<size_t>(size) * size, 255);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      if (pattern[static_cast<size_t>(y) * side + x] != '1') continue;
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          pixels[static_cast<size_t>((quiet + y) * scale + dy) * size + (quiet + x) * scale + dx] =
              0;
    }
  return DecodeGrey(pixels, size, size);
}

}  // namespace qrtest
