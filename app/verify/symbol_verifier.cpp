#include "symbol_verifier.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <algorithm>

namespace qrverify {

namespace {

ZXing::Result Read(const ZXing::ImageView &image, bool pure) {
  // We know what was drawn: one QR Code, upright, black on white. No search
  // across formats, rotations or thresholds.
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setTryHarder(false);
  hints.setTryRotate(false);
  hints.setIsPure(pure);
  hints.setBinarizer(ZXing::Binarizer::FixedThreshold);
  hints.setMaxNumberOfSymbols(1);
  // A symbol found but not decoded comes back with its error: the reason.
  hints.setReturnErrors(true);
  return ZXing::ReadBarcode(image, hints);
}

// Up to 16 bytes from `at`, printable ASCII as is and the rest as \xNN.
std::string Shown(std::string_view bytes, size_t at) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  const size_t end = std::min(bytes.size(), at + 16);
  for (size_t i = at; i < end; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      shown += static_cast<char>(byte);
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 15];
    }
  }
  if (end < bytes.size()) shown += "...";
  return shown;
}

}  // namespace

qrplatform::Outcome VerifySymbol(const uint8_t *grey, int width, int height, int stride,
                                 std::string_view expectedBytes) {
  if (grey == nullptr || width <= 0 || height <= 0 || stride < width)
    return qrplatform::Outcome::Failed("no image to read");
  const ZXing::ImageView image(grey, width, height, ZXing::ImageFormat::Lum, stride, 1);
  // A generated image is read as a pure symbol first (no finder search);
  // the detector is the fallback for what that cannot place.
  ZXing::Result result = Read(image, true);
  if (!result.isValid() && !result.error()) {
    ZXing::Result found = Read(image, false);
    if (found.isValid() || found.error()) result = std::move(found);
  }
  if (!result.isValid()) {
    if (!result.error()) return qrplatform::Outcome::Failed("no QR Code was found in the image");
    if (result.error() == ZXing::Error::Checksum) {
      return qrplatform::Outcome::Failed(
          "the QR Code has more damaged modules than error correction repairs");
    }
    return qrplatform::Outcome::Failed("the QR Code could not be read (" +
                                       ToString(result.error()) + ")");
  }
  // bytes(): the data as carried, ECI designators left out.
  const ZXing::ByteArray &read = result.bytes();
  const std::string_view decoded(reinterpret_cast<const char *>(read.data()), read.size());
  if (decoded == expectedBytes) return qrplatform::Outcome::Done();
  const size_t common = std::min(decoded.size(), expectedBytes.size());
  size_t at = 0;
  while (at < common && decoded[at] == expectedBytes[at]) ++at;
  return qrplatform::Outcome::Failed(
      "it reads back as " + std::to_string(decoded.size()) + " bytes, not the " +
      std::to_string(expectedBytes.size()) + " written; from byte " + std::to_string(at) +
      " it reads \"" + Shown(decoded, at) + "\" for \"" + Shown(expectedBytes, at) + "\"");
}

qrplatform::Outcome GreyImage::Verify(std::string_view expectedBytes) const {
  return VerifySymbol(pixels_.data(), width_, height_, width_, expectedBytes);
}

}  // namespace qrverify
