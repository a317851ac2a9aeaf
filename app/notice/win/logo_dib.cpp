#include "logo_dib.h"

#include <windows.h>

#include <cstring>

#include "logo_image.h"

namespace notice::win {

std::optional<LogoDib> LogoDibOfPng(std::string_view pngBytes) {
  auto logo = DecodeLogo(pngBytes);
  if (!logo) return std::nullopt;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = static_cast<LONG>(logo->width);
  header.biHeight = -static_cast<LONG>(logo->height);
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  LogoDib dib;
  dib.info.resize(sizeof header);
  std::memcpy(dib.info.data(), &header, sizeof header);
  dib.bits = std::move(logo->bgr);
  dib.width = static_cast<int>(logo->width);
  dib.height = static_cast<int>(logo->height);
  return dib;
}

}  // namespace notice::win
