// A drawn symbol as a PNG file: 1-bit greyscale, the same pixels as the
// bitmap file, and its resolution (pHYs) when the bitmap states one.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "symbol_engine.h"

namespace qrimage {

// Encodes one image after another, reusing its compressor and buffers, so
// a file costs little more than compressing its rows.
class PngEncoder {
 public:
  PngEncoder();
  ~PngEncoder();
  PngEncoder(const PngEncoder &) = delete;
  PngEncoder &operator=(const PngEncoder &) = delete;

  // The PNG bytes of `image` into `bytes` (replaced); false when zlib or
  // libpng fails. An image with `textRows` > 0 (a caption band at the
  // bottom) is compressed with more memory: see kCaptionMemLevel.
  bool Encode(const qr::BitmapImage &image, std::vector<uint8_t> &bytes, int textRows = 0);

 private:
  bool Compress(const qr::BitmapImage &image, int textRows);

  z_stream stream_{};
  bool ready_ = false;
  z_stream captionStream_{};  // for images with text rows, made at the first
  bool captionReady_ = false;
  std::vector<uint8_t> filtered_;    // the scanlines, each led by its filter type
  std::vector<uint8_t> compressed_;  // the image data chunk's content
  size_t compressedSize_ = 0;
};

}  // namespace qrimage
