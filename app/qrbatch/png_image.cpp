#include "png_image.h"

#include <png.h>

#include <csetjmp>

#include "row_deflate.h"

namespace qrbatch {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto *bytes = static_cast<std::vector<uint8_t> *>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng writes the file: signature, header and the chunks' framing and
// checksums; the image data comes compressed from DeflateScanlines (zlib
// at any level cost more than drawing and writing the bitmap file).
// Kept apart from EncodePng so no object with a destructor lives in the
// frame that longjmp leaves.
bool WritePng(png_structp png, png_infop info, const qr::BitmapImage &image,
              const std::vector<uint8_t> &imageData, std::vector<uint8_t> &bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &bytes, &AppendBytes, &NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
               1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), imageData.data(), imageData.size());
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
  return true;
}

}  // namespace

bool EncodePng(const qr::BitmapImage &image, std::vector<uint8_t> &bytes) {
  if (image.width <= 0 || image.height <= 0 || image.rows == nullptr) return false;
  // The bitmap's palette index 0 is black and 1 white, as 1-bit grey is:
  // the rows are used as they are, top row (the bitmap's last) first.
  std::vector<const uint8_t *> rowPointers(static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    rowPointers[static_cast<size_t>(y)] = image.rows + static_cast<size_t>(image.height - 1 - y) * image.stride;
  }
  std::vector<uint8_t> imageData;
  imageData.reserve(1024);
  DeflateScanlines(rowPointers.data(), image.height, (static_cast<size_t>(image.width) + 7) / 8, imageData);
  bytes.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  const bool ok = info != nullptr && WritePng(png, info, image, imageData, bytes);
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace qrbatch
