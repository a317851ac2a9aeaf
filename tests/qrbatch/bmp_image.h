// Reads a device-independent bitmap file (1, 4, 8 or 24 bits per pixel,
// uncompressed) into grey pixels, for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrtest {

struct GreyImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::vector<uint8_t> pixels;  // rows top to bottom
};

// False when the bytes are no bitmap file this reader understands.
bool ReadBmp(const std::string &bytes, GreyImage &image);

}  // namespace qrtest
