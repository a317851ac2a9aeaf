#include "png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace qrimage {

namespace {

// Fastest level: levels 2 and 3 save a few per cent of a symbol's file at
// more time per image, from level 4 on deflate searches harder for files a
// sixth smaller at twice the time. The default hash table (memLevel 8)
// costs a tenth more per image, cleared on every reset, and saves nothing.
constexpr int kLevel = 1;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 2;
// Images with text rows (a caption band) have many literals: memLevel 2
// closes a block every 256 symbols and builds new code trees for each,
// which doubled the cost of such an image. zlib's default memLevel keeps
// the image in one block; from memLevel 3 on the time is the same.
constexpr int kCaptionMemLevel = 8;

// The image data is a zlib stream. Deflate writes it raw and the two-byte
// header (deflate, 32 KB window, fastest level) and the Adler-32 trailer
// are added here: zlib's own wrapper sums every byte, while a row that
// filters to zeros has a checksum known in advance, combined in one step.
constexpr uint8_t kZlibHeader[2] = {0x78, 0x01};

// PNG's filter types used: None, and Up for a row equal to the one above
// (it filters to zeros, which deflate turns into a few bytes).
constexpr uint8_t kFilterNone = 0;
constexpr uint8_t kFilterUp = 2;

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto *bytes = static_cast<std::vector<uint8_t> *>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng writes the file: signature, header and the chunks' framing and
// checksums, around image data compressed by PngEncoder's own zlib stream
// (libpng's would be set up again for every image).
// Kept apart from Encode so no object with a destructor lives in the
// frame that longjmp leaves.
bool WritePng(png_structp png, png_infop info, const qr::BitmapImage &image,
              const std::vector<uint8_t> &imageData, size_t imageDataSize,
              std::vector<uint8_t> &bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &bytes, &AppendBytes, &NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // A stated resolution goes into pHYs; without one the file has no pHYs.
  if (image.pixelsPerMetre > 0) {
    const auto perMetre = static_cast<png_uint_32>(image.pixelsPerMetre);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), imageData.data(), imageDataSize);
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
  return true;
}

}  // namespace

PngEncoder::PngEncoder() {
  ready_ = deflateInit2(&stream_, kLevel, Z_DEFLATED, -kWindowBits, kMemLevel,
                        Z_DEFAULT_STRATEGY) == Z_OK;
}

PngEncoder::~PngEncoder() {
  if (ready_) deflateEnd(&stream_);
  if (captionReady_) deflateEnd(&captionStream_);
}

bool PngEncoder::Compress(const qr::BitmapImage &image, int textRows) {
  // The bitmap's palette index 0 is black and 1 white, as 1-bit grey is:
  // the rows are used as they are, top row (the bitmap's last) first.
  const size_t rowBytes = (static_cast<size_t>(image.width) + 7) / 8;
  const size_t height = static_cast<size_t>(image.height);
  const size_t lineBytes = 1 + rowBytes;
  filtered_.resize(height * lineBytes);
  uint8_t *out = filtered_.data();
  const uint8_t *above = nullptr;
  uLong checksum = adler32(0, nullptr, 0);
  uLong zeroLineChecksum = 0;
  bool zeroLineSummed = false;
  for (size_t y = 0; y < height; ++y) {
    const uint8_t *row = image.rows + (height - 1 - y) * image.stride;
    if (above != nullptr && std::memcmp(row, above, rowBytes) == 0) {
      out[0] = kFilterUp;
      std::memset(out + 1, 0, rowBytes);
      if (!zeroLineSummed) {
        zeroLineChecksum = adler32(adler32(0, nullptr, 0), out, static_cast<uInt>(lineBytes));
        zeroLineSummed = true;
      }
      checksum = adler32_combine(checksum, zeroLineChecksum, static_cast<z_off_t>(lineBytes));
    } else {
      out[0] = kFilterNone;
      std::memcpy(out + 1, row, rowBytes);
      checksum = adler32(checksum, out, static_cast<uInt>(lineBytes));
    }
    out += lineBytes;
    above = row;
  }
  // Images with text rows go through their own stream (kCaptionMemLevel),
  // made at the first; other files stay as they were.
  z_stream *stream = &stream_;
  if (textRows > 0) {
    if (!captionReady_) {
      captionReady_ = deflateInit2(&captionStream_, kLevel, Z_DEFLATED, -kWindowBits,
                                   kCaptionMemLevel, Z_DEFAULT_STRATEGY) == Z_OK;
      if (!captionReady_) return false;
    }
    stream = &captionStream_;
  }
  if (deflateReset(stream) != Z_OK) return false;
  const size_t bound = deflateBound(stream, static_cast<uLong>(filtered_.size()));
  compressed_.resize(sizeof kZlibHeader + bound + 4);
  std::memcpy(compressed_.data(), kZlibHeader, sizeof kZlibHeader);
  stream->next_in = filtered_.data();
  stream->avail_in = static_cast<uInt>(filtered_.size());
  stream->next_out = compressed_.data() + sizeof kZlibHeader;
  stream->avail_out = static_cast<uInt>(bound);
  if (deflate(stream, Z_FINISH) != Z_STREAM_END) return false;
  const size_t dataSize = stream->total_out;
  uint8_t *trailer = compressed_.data() + sizeof kZlibHeader + dataSize;
  for (int i = 0; i < 4; ++i)
    trailer[i] = static_cast<uint8_t>(checksum >> (24 - 8 * i));  // big-endian
  compressedSize_ = sizeof kZlibHeader + dataSize + 4;
  return true;
}

bool PngEncoder::Encode(const qr::BitmapImage &image, std::vector<uint8_t> &bytes, int textRows) {
  if (!ready_ || image.width <= 0 || image.height <= 0 || image.rows == nullptr) return false;
  if (!Compress(image, textRows)) return false;
  bytes.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  const bool ok =
      info != nullptr && WritePng(png, info, image, compressed_, compressedSize_, bytes);
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace qrimage
