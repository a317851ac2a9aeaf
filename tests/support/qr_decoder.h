// Reads QR symbols back with a real decoder (zxing-cpp), for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrtest {

struct Decoded {
  bool ok = false;
  std::string bytes;     // the message bytes, without character-set conversion
  std::string bytesEci;  // the same following the ECI protocol (designators as \nnnnnn)
  std::string ecLevel;   // "L", "M", "Q" or "H"
};

// Grey image, one byte per pixel (0 black, 255 white), rows top to bottom.
Decoded DecodeGrey(const std::vector<uint8_t> &pixels, int width, int height);

// Pattern data ("0"/"1" per module, row by row) of a side x side symbol,
// drawn at `scale` pixels per module with a four-module quiet zone.
Decoded DecodePattern(const std::string &pattern, int side, int scale = 3);

}  // namespace qrtest
