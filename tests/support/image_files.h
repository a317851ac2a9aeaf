// Reading the image files the engine writes, independently of its code:
// bitmap files (1 or 4 bits per pixel, bottom-up) and PNG files (for
// metafiles played back by another program).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrtest {

// Returns `path` and removes the file there when the test program ends.
std::string RemovedAtExit(const std::string &path);

std::vector<uint8_t> ReadFileBytes(const std::string &path);
bool FileExists(const std::string &path);

// Little-endian fields of a byte block.
inline uint32_t Le16(const std::vector<uint8_t> &b, size_t at) { return b[at] | b[at + 1] << 8; }
inline uint32_t Le32(const std::vector<uint8_t> &b, size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}

struct BitmapImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::vector<uint32_t> palette;  // 0x00BBGGRR
  std::vector<uint8_t> indices;   // palette index per pixel, rows top to bottom

  int IndexAt(int x, int y) const { return indices[static_cast<size_t>(y) * width + x]; }
  uint32_t ColourAt(int x, int y) const { return palette[IndexAt(x, y)]; }
  // One byte per pixel, 0 black to 255 white, rows top to bottom.
  std::vector<uint8_t> Grey() const;
};

// False when the file is missing or not an uncompressed 1- or 4-bit bitmap.
bool ReadBitmapFile(const std::string &path, BitmapImage &image);

// Grey pixels of a PNG file (alpha ignored), rows top to bottom.
bool ReadPngGrey(const std::string &path, std::vector<uint8_t> &grey, int &width, int &height);

}  // namespace qrtest
