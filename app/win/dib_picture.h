// A device-independent bitmap ready for StretchDIBits, and the reading of
// bitmap files (the engine's 1- and 4-bit files among them) from memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace qrwin {

struct DibPicture {
  std::vector<std::uint8_t> info;  // BITMAPINFOHEADER (or larger), masks, colour table
  std::vector<std::uint8_t> bits;  // rows as stored, 32-bit aligned
  int width = 0;
  int height = 0;  // always positive; the header keeps the row order

  const BITMAPINFO *Info() const { return reinterpret_cast<const BITMAPINFO *>(info.data()); }
};

// The picture of a bitmap file held in `bytes`, or nothing when the bytes are
// not a well-formed uncompressed bitmap file (every size is checked against
// the buffer before use).
std::optional<DibPicture> DecodeBitmapFile(const std::vector<std::uint8_t> &bytes);

}  // namespace qrwin
