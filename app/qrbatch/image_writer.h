// One worker's image files: encodes a line's content with an engine of its
// own, draws it in the chosen format and writes the file whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "options.h"
#include "png_image.h"
#include "symbol_engine.h"

namespace qrbatch {

class ImageWriter {
 public:
  ImageWriter(const qrapp::BatchRecipe &recipe, ImageFormat format, int modulePixels);

  // False with the system's reason when no file was written.
  bool Write(const std::string &content, const std::string &path, std::string &reason);

 private:
  qr::SymbolSettings settings_;
  int width_, height_;
  ImageFormat format_;
  int modulePixels_;
  qr::SymbolEngine engine_;
  qr::BitmapImage bitmap_;
  PngEncoder pngEncoder_;
  std::vector<uint8_t> png_;
  std::string svg_;
};

}  // namespace qrbatch
