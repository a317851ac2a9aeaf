// One worker's image files: builds a line's planned symbol with an engine
// of its own, draws it in the chosen format and writes the file whole under
// a temporary name (FilePublisher gives it its name).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "captioned_image.h"
#include "options.h"
#include "png_image.h"
#include "symbol_engine.h"

namespace qrbatch {

class ImageWriter {
 public:
  // `captionBand`: rows at the bottom of every image kept for its caption
  // (0: no captions).
  ImageWriter(const qrapp::BatchRecipe &recipe, ImageFormat format, int modulePixels,
              int captionBand = 0);

  // Builds `plan` (made for `content` by the line's fit check) and writes
  // it as `file`, pending for `path`. False with the reason when no file was
  // written.
  // With captions, `caption` is the line's caption (its bytes); false
  // with captionTooLong() when it does not fit its band.
  bool Write(const std::string &content, const qr::SymbolPlan &plan, const std::string &path,
             qr::PendingFile &file, std::string &reason, const std::string *caption = nullptr);
  // Whether the last Write failed for its caption.
  bool captionTooLong() const { return captionTooLong_; }

 private:
  int width_, height_;
  ImageFormat format_;
  int modulePixels_;
  qr::SymbolEngine engine_;
  qr::BitmapImage bitmap_;
  PngEncoder pngEncoder_;
  std::vector<uint8_t> png_;
  std::string svg_;
  std::unique_ptr<CaptionedImage> captioned_;  // with captions only
  qr::BitmapImage withCaption_;
  qrcaption::CaptionLayout layout_;
  bool captionTooLong_ = false;
};

}  // namespace qrbatch
