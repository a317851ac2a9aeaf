// Reading bitmap files from memory for the picture boxes: the engine's 1-
// and 4-bit files are drawn as stored, and malformed bytes (truncated data,
// sizes that point outside the buffer) give no picture instead of a read
// past the end.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "dib_picture.h"

namespace {

int failures = 0;

void Check(bool condition, const char *what) {
  if (condition) return;
  ++failures;
  std::printf("FAILED: %s\n", what);
}

void Put32(std::vector<std::uint8_t> &bytes, size_t at, std::uint32_t value) {
  std::memcpy(&bytes[at], &value, 4);
}

void Put16(std::vector<std::uint8_t> &bytes, size_t at, std::uint16_t value) {
  std::memcpy(&bytes[at], &value, 2);
}

// A bitmap file laid out as the engine writes it: file header, 40-byte info
// header, 2^bits palette entries, rows padded to 32 bits.
std::vector<std::uint8_t> BitmapFile(int width, int height, int bits) {
  const size_t palette = 4u << bits;
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t offset = 14 + 40 + palette;
  std::vector<std::uint8_t> bytes(
      offset + stride * static_cast<size_t>(height < 0 ? -height : height), 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  Put32(bytes, 10, static_cast<std::uint32_t>(offset));
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<std::uint32_t>(width));
  Put32(bytes, 22, static_cast<std::uint32_t>(height));
  Put16(bytes, 26, 1);
  Put16(bytes, 28, static_cast<std::uint16_t>(bits));
  for (size_t i = 0; i < palette; i += 4)
    bytes[54 + i] = bytes[55 + i] = bytes[56 + i] = static_cast<std::uint8_t>(i ? 255 : 0);
  return bytes;
}

// Draws the picture into a 32-bit DIB section and returns pixel (x, y).
COLORREF PixelAfterDrawing(const qrwin::DibPicture &picture, int x, int y) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void *bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, section);
  StretchDIBits(dc, 0, 0, picture.width, picture.height, 0, 0, picture.width, picture.height,
                picture.bits.data(), picture.Info(), DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  const std::uint32_t pixel = static_cast<std::uint32_t *>(bits)[y * picture.width + x];
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);
  return RGB((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255);
}

void ReadsEngineBitmaps() {
  // 1 bit: palette 0 black, 1 white; a black pixel top-left (last row stored).
  std::vector<std::uint8_t> one = BitmapFile(10, 4, 1);
  const size_t stride = 4;
  for (int row = 0; row < 4; ++row)
    one[62 + stride * row] = 0xFF, one[62 + stride * row + 1] = 0xFF;
  one[62 + stride * 3] = 0x7F;  // bottom-up: the last stored row is the top one
  auto picture = qrwin::DecodeBitmapFile(one);
  Check(picture.has_value(), "1-bit file decodes");
  if (picture) {
    Check(picture->width == 10 && picture->height == 4, "1-bit size");
    Check(PixelAfterDrawing(*picture, 0, 0) == RGB(0, 0, 0), "1-bit top-left pixel black");
    Check(PixelAfterDrawing(*picture, 1, 0) == RGB(255, 255, 255), "1-bit next pixel white");
    Check(PixelAfterDrawing(*picture, 0, 3) == RGB(255, 255, 255), "1-bit bottom-left pixel white");
  }
  std::vector<std::uint8_t> four = BitmapFile(3, 2, 4);
  auto fourPicture = qrwin::DecodeBitmapFile(four);
  Check(fourPicture.has_value() && fourPicture->Info()->bmiHeader.biClrUsed == 16,
        "4-bit file decodes with 16 colours");
  std::vector<std::uint8_t> topDown = BitmapFile(8, -3, 1);
  auto topDownPicture = qrwin::DecodeBitmapFile(topDown);
  Check(topDownPicture && topDownPicture->height == 3, "top-down file decodes");
}

void RefusesMalformedBytes() {
  const std::vector<std::uint8_t> good = BitmapFile(200, 200, 1);
  Check(qrwin::DecodeBitmapFile(good).has_value(), "200 x 200 file decodes");
  Check(!qrwin::DecodeBitmapFile({}).has_value(), "no bytes, no picture");

  std::vector<std::uint8_t> truncated(good.begin(), good.end() - 1);
  Check(!qrwin::DecodeBitmapFile(truncated).has_value(), "truncated pixel data refused");

  std::vector<std::uint8_t> farOffset = good;
  Put32(farOffset, 10, 0xFFFFFFF0u);
  Check(!qrwin::DecodeBitmapFile(farOffset).has_value(), "pixel offset beyond the buffer refused");

  std::vector<std::uint8_t> hugeHeader = good;
  Put32(hugeHeader, 14, 0x7FFFFFFFu);
  Check(!qrwin::DecodeBitmapFile(hugeHeader).has_value(),
        "info header larger than the buffer refused");

  std::vector<std::uint8_t> hugeWidth = good;
  Put32(hugeWidth, 18, 0x7FFFFFFFu);
  Check(!qrwin::DecodeBitmapFile(hugeWidth).has_value(), "width beyond the data refused");

  std::vector<std::uint8_t> manyColours = good;
  Put32(manyColours, 46, 100000);
  Check(!qrwin::DecodeBitmapFile(manyColours).has_value(),
        "colour table beyond 256 entries refused");

  std::vector<std::uint8_t> compressed = good;
  Put32(compressed, 30, BI_RLE8);
  Check(!qrwin::DecodeBitmapFile(compressed).has_value(), "compressed data refused");

  std::vector<std::uint8_t> notBitmap = good;
  notBitmap[0] = 'P';
  Check(!qrwin::DecodeBitmapFile(notBitmap).has_value(), "other formats refused");
}

// The picture of a GDI bitmap as a 32-bit DIB; nothing for a null or
// unreadable bitmap.
std::optional<qrwin::DibPicture> DibFromBitmap(HBITMAP bitmap) {
  BITMAP description;
  if (!bitmap || !GetObjectW(bitmap, sizeof description, &description)) return std::nullopt;
  if (description.bmWidth <= 0 || description.bmHeight <= 0) return std::nullopt;
  qrwin::DibPicture picture;
  picture.width = description.bmWidth;
  picture.height = description.bmHeight;
  picture.info.assign(sizeof(BITMAPINFOHEADER), 0);
  auto *info = reinterpret_cast<BITMAPINFOHEADER *>(picture.info.data());
  info->biSize = sizeof(BITMAPINFOHEADER);
  info->biWidth = picture.width;
  info->biHeight = -picture.height;  // top-down
  info->biPlanes = 1;
  info->biBitCount = 32;
  info->biCompression = BI_RGB;
  picture.bits.resize(static_cast<size_t>(picture.width) * picture.height * 4);
  HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.bits.data(),
                reinterpret_cast<BITMAPINFO *>(picture.info.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != picture.height) return std::nullopt;
  return picture;
}

// A GDI bitmap (as a decoded PNG arrives) keeps its size and pixels.
void TakesGdiBitmaps() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 5;
  info.bmiHeader.biHeight = -3;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto *pixels = static_cast<std::uint8_t *>(bits);
  std::memset(pixels, 255, 16 * 3);  // rows of 15 bytes padded to 16
  pixels[16 * 2 + 3 * 4 + 2] = 0;    // row 2, column 4: no red (cyan)
  auto picture = DibFromBitmap(bitmap);
  Check(picture && picture->width == 5 && picture->height == 3, "bitmap size kept");
  if (picture) {
    Check(PixelAfterDrawing(*picture, 4, 2) == RGB(0, 255, 255), "bitmap pixel kept");
    Check(PixelAfterDrawing(*picture, 0, 0) == RGB(255, 255, 255), "bitmap white pixel kept");
  }
  DeleteObject(bitmap);
  Check(!DibFromBitmap(nullptr).has_value(), "no bitmap, no picture");
}

}  // namespace

int main() {
  ReadsEngineBitmaps();
  RefusesMalformedBytes();
  TakesGdiBitmaps();
  std::printf("%d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
