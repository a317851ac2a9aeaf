// Reads a drawn QR Code symbol back with a real decoder (zxing-cpp) and
// tells whether it carries exactly the bytes it was made for: the check a
// batch runs on every image before the image gets its name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "outcome.h"

namespace qrverify {

// Done when the grey image (one byte per pixel, 0 black .. 255 white, rows
// top to bottom, `stride` bytes apart) shows one QR Code symbol whose data
// bytes are exactly `expectedBytes`. ECI designators are not data: a symbol
// carrying "ECI 26 + bytes" matches those bytes. Fails with a readable
// reason when no symbol is read or its bytes differ.
qrplatform::Outcome VerifySymbol(const uint8_t *grey, int width, int height, int stride,
                                 std::string_view expectedBytes);

// The pixels of an image file as grey levels, for VerifySymbol. Reuses its
// buffer from one image to the next.
class GreyImage {
 public:
  // A bitmap file of 1, 8 or 24 bits per pixel, given as the bytes before
  // its pixel rows (file and info headers, palette) and the rows. Fails
  // with the reason when the file cannot be read as such.
  qrplatform::Outcome FromBitmapFile(const uint8_t *headers, size_t headerSize, const uint8_t *rows,
                                     size_t rowBytes);
  // The same for a whole bitmap file.
  qrplatform::Outcome FromBitmapFile(const uint8_t *file, size_t size);
  // A PNG file in memory, decoded with libpng.
  qrplatform::Outcome FromPngFile(const uint8_t *file, size_t size);

  // VerifySymbol over these pixels.
  qrplatform::Outcome Verify(std::string_view expectedBytes) const;

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t> &pixels() const { return pixels_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> pixels_;  // width_ bytes a row, top row first
};

}  // namespace qrverify
