#include "image_writer.h"

#include "svg_image.h"
#include "system_error.h"

namespace qrbatch {

ImageWriter::ImageWriter(const qrapp::BatchRecipe &recipe, ImageFormat format, int modulePixels,
                         int captionBand)
    : width_(recipe.width), height_(recipe.height), format_(format), modulePixels_(modulePixels) {
  if (captionBand > 0) captioned_ = std::make_unique<CaptionedImage>(width_, height_, captionBand);
}

bool ImageWriter::Write(const std::string &content, const qr::SymbolPlan &plan,
                        const std::string &path, qr::PendingFile &file, std::string &reason,
                        const std::string *caption) {
  captionTooLong_ = false;
  const qr::EncodeResult encoded = engine_.Encode(plan, content.data(), content.size());
  if (encoded != qr::EncodeResult::kWritten) {
    reason = encoded == qr::EncodeResult::kOutOfMemory
                 ? "the engine could not encode it: out of memory"
                 : "the engine could not encode it: the content does not fit version 40";
    return false;
  }
  // With a caption the symbol is drawn in the rows above its band.
  const bool captioned = captioned_ && caption;
  if (captioned) {
    layout_ = captioned_->Lay(*caption);
    if (!layout_.fits) {
      captionTooLong_ = true;
      return false;
    }
  }
  const int symbolHeight = captioned ? captioned_->symbolHeight() : height_;
  bool written;
  if (format_ == ImageFormat::kSvg) {
    qr::SymbolPicture picture = engine_.Picture(width_, symbolHeight, modulePixels_);
    if (captioned) {
      qr::PicturePlacement placement = picture.placement();
      placement.imageHeight = height_;
      placement.textBandHeight = height_ - symbolHeight;
      picture = picture.Placed(placement);
    }
    BuildSvg(picture, svg_);
    if (captioned) captioned_->AppendSvgText(layout_, svg_);
    written = file.Write(path.c_str(), {{svg_.data(), svg_.size()}});
  } else {
    if (!engine_.DrawBitmap(width_, symbolHeight, modulePixels_, bitmap_)) {
      reason = "the image is too large";
      return false;
    }
    if (captioned && !captioned_->Compose(bitmap_, layout_, withCaption_)) {
      reason = "the caption could not be drawn";
      return false;
    }
    const qr::BitmapImage &image = captioned ? withCaption_ : bitmap_;
    if (format_ == ImageFormat::kPng) {
      if (!pngEncoder_.Encode(image, png_)) {
        reason = "the PNG encoder failed";
        return false;
      }
      written = file.Write(path.c_str(), {{png_.data(), png_.size()}});
    } else {
      written = file.Write(path.c_str(), {{image.headers.data(), image.headers.size()},
                                          {image.rows, image.rowBytes}});
    }
  }
  if (!written) reason = qrplatform::LastErrorText();
  return written;
}

}  // namespace qrbatch
