// One worker's image files: builds a line's planned symbol with an engine
// of its own, draws it in the chosen format and writes the file whole under
// a temporary name (FilePublisher gives it its name).
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

  // Builds `plan` (made for `content` by the line's fit check) and writes
  // it as `file`, pending for `path`, with modules of `modulePixels` (the
  // fit check's; 0: the writer's own). False with the reason when no file
  // was written.
  bool Write(const std::string &content, const qr::SymbolPlan &plan, const std::string &path,
             qr::PendingFile &file, std::string &reason, int modulePixels = 0);

 private:
  int width_, height_;
  ImageFormat format_;
  int modulePixels_;
  int dotsPerInch_;  // resolution stated in the files; 0: none
  qr::SymbolEngine engine_;
  qr::BitmapImage bitmap_;
  PngEncoder pngEncoder_;
  std::vector<uint8_t> png_;
  std::string svg_;
};

}  // namespace qrbatch
