#include "dib_picture.h"

#include <cstring>

namespace qrwin {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; V4 and V5 extend it

std::uint32_t ReadU32(const std::uint8_t *p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool SupportedDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

}  // namespace

std::optional<DibPicture> DecodeBitmapFile(const std::vector<std::uint8_t> &bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
  if (bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint64_t bitsOffset = ReadU32(&bytes[10]);

  BITMAPINFOHEADER header;
  std::memcpy(&header, &bytes[kFileHeaderSize], sizeof header);
  if (header.biSize < kInfoHeaderSize || header.biSize > bytes.size() - kFileHeaderSize)
    return std::nullopt;
  if (header.biPlanes != 1 || !SupportedDepth(header.biBitCount)) return std::nullopt;
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN)
    return std::nullopt;

  std::uint64_t masksSize = 0;
  if (header.biCompression == BI_BITFIELDS) {
    if (header.biBitCount != 16 && header.biBitCount != 32) return std::nullopt;
    if (header.biSize == kInfoHeaderSize) masksSize = 12;  // larger headers hold the masks
  } else if (header.biCompression != BI_RGB) {
    return std::nullopt;
  }
  std::uint64_t colours = header.biClrUsed;
  if (colours == 0 && header.biBitCount <= 8) colours = 1u << header.biBitCount;
  if (colours > 256) return std::nullopt;

  const std::uint64_t infoSize = header.biSize + masksSize + colours * 4;
  const std::uint64_t width = static_cast<std::uint64_t>(header.biWidth);
  const std::uint64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight)
                                                   : static_cast<std::uint64_t>(header.biHeight);
  const std::uint64_t stride = (width * header.biBitCount + 31) / 32 * 4;
  const std::uint64_t bitsSize = stride * height;
  if (kFileHeaderSize + infoSize > bytes.size()) return std::nullopt;
  if (bitsOffset < kFileHeaderSize + infoSize || bitsOffset > bytes.size() ||
      bitsSize > bytes.size() - bitsOffset)
    return std::nullopt;

  DibPicture picture;
  const auto infoBegin = bytes.begin() + kFileHeaderSize;
  picture.info.assign(infoBegin, infoBegin + static_cast<std::ptrdiff_t>(infoSize));
  // StretchDIBits takes the colour count from the header; make it explicit.
  auto *info = reinterpret_cast<BITMAPINFOHEADER *>(picture.info.data());
  info->biClrUsed = static_cast<DWORD>(colours);
  info->biSizeImage = static_cast<DWORD>(bitsSize);
  const auto bitsBegin = bytes.begin() + static_cast<std::ptrdiff_t>(bitsOffset);
  picture.bits.assign(bitsBegin, bitsBegin + static_cast<std::ptrdiff_t>(bitsSize));
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  return picture;
}

}  // namespace qrwin
