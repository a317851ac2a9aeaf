#include "logo_image.h"

#include <png.h>

#include <cstring>

namespace notice {

std::optional<LogoImage> DecodeLogo(std::string_view pngBytes) {
  if (pngBytes.empty()) return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, pngBytes.data(), pngBytes.size())) {
    return std::nullopt;
  }
  const std::uint64_t pixels = std::uint64_t{image.width} * image.height;
  if (image.width == 0 || image.height == 0 || pixels > kMaxLogoPixels) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_BGR;
  LogoImage logo;
  logo.width = image.width;
  logo.height = image.height;
  logo.stride = (logo.width * 3 + 3) & ~3u;
  logo.bgr.assign(std::size_t{logo.stride} * logo.height, 0);
  png_color white{255, 255, 255};
  if (!png_image_finish_read(&image, &white, logo.bgr.data(), static_cast<png_int_32>(logo.stride),
                             nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return logo;
}

}  // namespace notice
