// The image files a batch writes, the window's and qrbatch's alike.
#pragma once

namespace qrimage {

// The window's bitmap files named ".jpg", or a real format under its own
// extension.
enum class ImageFormat { kWindowJpg, kBmp, kPng, kSvg };

// ".jpg", ".bmp", ".png" or ".svg".
inline const char *ExtensionOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::kBmp: return ".bmp";
    case ImageFormat::kPng: return ".png";
    case ImageFormat::kSvg: return ".svg";
    default: return ".jpg";
  }
}

}  // namespace qrimage
