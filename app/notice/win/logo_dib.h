#pragma once
// The decoded logo as a device-independent bitmap for the logo box.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace notice::win {

struct LogoDib {
  std::vector<std::uint8_t> info;  // BITMAPINFOHEADER: 24-bit, top-down rows
  std::vector<std::uint8_t> bits;  // rows padded to 4 bytes
  int width = 0;
  int height = 0;
};

// Nothing when the bytes are not a valid PNG.
std::optional<LogoDib> LogoDibOfPng(std::string_view pngBytes);

}  // namespace notice::win
