// The image files a batch writes, the window's and qrbatch's alike.
#pragma once

namespace qrimage {

// The window's bitmap files named ".jpg", or a real format under its own
// extension; kPdf: one PDF of label sheets for the whole batch.
enum class ImageFormat { kWindowJpg, kBmp, kPng, kSvg, kPdf };

// ".jpg", ".bmp", ".png", ".svg" or ".pdf".
inline const char *ExtensionOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::kBmp: return ".bmp";
    case ImageFormat::kPng: return ".png";
    case ImageFormat::kSvg: return ".svg";
    case ImageFormat::kPdf: return ".pdf";
    default: return ".jpg";
  }
}

// An image's size in pixels and the resolution its file states (0: none).
struct ImageFrame {
  int width = 200;
  int height = 200;
  int dotsPerInch = 0;
};

}  // namespace qrimage
