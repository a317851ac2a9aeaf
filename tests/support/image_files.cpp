#include "image_files.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace qrtest {

std::string RemovedAtExit(const std::string &path) {
  static struct Files {
    std::vector<std::string> paths;
    ~Files() {
      for (const std::string &path : paths) std::remove(path.c_str());
    }
  } files;
  files.paths.push_back(path);
  return path;
}

std::vector<uint8_t> ReadFileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string &path) { return std::ifstream(path).good(); }

std::vector<uint8_t> BitmapImage::Grey() const {
  std::vector<uint8_t> grey(indices.size());
  for (size_t i = 0; i < indices.size(); ++i) {
    const uint32_t c = palette[indices[i]];
    grey[i] = static_cast<uint8_t>(((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF)) / 3);
  }
  return grey;
}

bool ReadBitmapFile(const std::string &path, BitmapImage &image) {
  const std::vector<uint8_t> b = ReadFileBytes(path);
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  const uint32_t pixelOffset = Le32(b, 10);
  const int width = static_cast<int>(Le32(b, 18)), height = static_cast<int>(Le32(b, 22));
  const int bits = static_cast<int>(Le16(b, 28));
  if (Le32(b, 14) != 40 || Le32(b, 30) != 0 || (bits != 1 && bits != 4) || width <= 0 ||
      height <= 0)
    return false;
  const size_t stride = (static_cast<size_t>(bits) * width + 31) / 32 * 4;
  if (b.size() < pixelOffset + stride * height) return false;

  image.width = width, image.height = height, image.bitsPerPixel = bits;
  image.palette.clear();
  for (size_t at = 54; at < pixelOffset; at += 4)
    image.palette.push_back(b[at + 2] | b[at + 1] << 8 | b[at] << 16);
  image.indices.assign(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t *row = &b[pixelOffset + stride * (height - 1 - y)];
    for (int x = 0; x < width; ++x) {
      const int index = bits == 1 ? (row[x / 8] >> (7 - x % 8)) & 1
                                  : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
      if (index >= static_cast<int>(image.palette.size())) return false;
      image.indices[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(index);
    }
  }
  return true;
}

bool ReadPngGrey(const std::string &path, std::vector<uint8_t> &grey, int &width, int &height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_GRAY;
  grey.assign(PNG_IMAGE_SIZE(image), 0);
  // Transparent pixels are composed over white, as a viewer shows them.
  png_color background{255, 255, 255};
  if (!png_image_finish_read(&image, &background, grey.data(), 0, nullptr)) return false;
  width = static_cast<int>(image.width), height = static_cast<int>(image.height);
  return true;
}

}  // namespace qrtest
