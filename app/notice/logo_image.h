#pragma once
// Decoding the publisher's PNG logo into pixels for the logo box.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace notice {

// Rows top to bottom, 3 bytes per pixel in blue, green, red order (what a
// 24-bit Windows DIB holds), rows padded to 4 bytes; any transparency is
// composed over the picture box's white background.
struct LogoImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t stride = 0;
  std::vector<std::uint8_t> bgr;
};

// Pictures larger than this many pixels are refused: a small compressed
// body can otherwise ask for an enormous buffer.
constexpr std::uint64_t kMaxLogoPixels = 4096u * 4096u;

// Nothing for bytes that are not a complete, valid PNG.
std::optional<LogoImage> DecodeLogo(std::string_view pngBytes);

}  // namespace notice
