#include "image_writer.h"

#include "svg_image.h"
#include "system_error.h"

namespace qrbatch {

ImageWriter::ImageWriter(const qrapp::BatchRecipe &recipe, ImageFormat format, int modulePixels)
    : width_(recipe.width),
      height_(recipe.height),
      format_(format),
      modulePixels_(modulePixels),
      dotsPerInch_(recipe.dotsPerInch) {}

bool ImageWriter::Write(const std::string &content, const qr::SymbolPlan &plan,
                        const std::string &path, qr::PendingFile &file, std::string &reason,
                        int modulePixels) {
  if (modulePixels <= 0) modulePixels = modulePixels_;
  const qr::EncodeResult encoded = engine_.Encode(plan, content.data(), content.size());
  if (encoded != qr::EncodeResult::kWritten) {
    reason = encoded == qr::EncodeResult::kOutOfMemory
                 ? "the engine could not encode it: out of memory"
                 : "the engine could not encode it: the content does not fit version 40";
    return false;
  }
  bool written;
  if (format_ == ImageFormat::kSvg) {
    BuildSvg(engine_.Picture(width_, height_, modulePixels), svg_, dotsPerInch_);
    written = file.Write(path.c_str(), {{svg_.data(), svg_.size()}});
  } else {
    if (!engine_.DrawBitmap(width_, height_, modulePixels, bitmap_,
                            qr::PixelsPerMetre(dotsPerInch_))) {
      reason = "the image is too large";
      return false;
    }
    if (format_ == ImageFormat::kPng) {
      if (!pngEncoder_.Encode(bitmap_, png_)) {
        reason = "the PNG encoder failed";
        return false;
      }
      written = file.Write(path.c_str(), {{png_.data(), png_.size()}});
    } else {
      written = file.Write(path.c_str(), {{bitmap_.headers.data(), bitmap_.headers.size()},
                                          {bitmap_.rows, bitmap_.rowBytes}});
    }
  }
  if (!written) reason = qrplatform::LastErrorText();
  return written;
}

}  // namespace qrbatch
