#include "image_writer.h"

#include <utility>

#include "svg_image.h"
#include "system_error.h"

namespace qrimage {

namespace {

ImageResult NotWritten(std::string reason) {
  return {ImageFailure::kNotWritten, std::move(reason)};
}

#ifdef QR_IMAGES_CAN_VERIFY
// A read-back step's outcome as the image's.
ImageResult Verified(const qrplatform::Outcome &read) {
  if (read) return ImageResult();
  return {ImageFailure::kVerifyFailed, read.reason()};
}
#endif

}  // namespace

ImageWriter::ImageWriter(const ImageFrame &frame, ImageFormat format, int modulePixels, bool verify,
                         int captionBand, ImageDamage damage)
    : width_(frame.width),
      height_(frame.height),
      format_(format),
      modulePixels_(modulePixels),
      dotsPerInch_(frame.dotsPerInch),
      verify_(verify),
      damage_(std::move(damage)) {
  if (captionBand > 0) captioned_ = std::make_unique<CaptionedImage>(width_, height_, captionBand);
}

void ImageWriter::BitmapParts(const qr::BitmapImage &image, const std::string &path,
                              const uint8_t *&headers, size_t &headerSize, const uint8_t *&rows,
                              size_t &rowBytes) {
  headers = image.headers.data();
  headerSize = image.headers.size();
  rows = image.rows;
  rowBytes = image.rowBytes;
  if (!damage_) return;
  damaged_.assign(headers, headers + headerSize);
  damaged_.insert(damaged_.end(), rows, rows + rowBytes);
  damage_(path, damaged_);
  if (damaged_.size() < headerSize) damaged_.resize(headerSize);
  headers = damaged_.data();
  rows = damaged_.data() + headerSize;
  rowBytes = damaged_.size() - headerSize;
}

// The image is verified from the very bytes that go into its file, before
// they are written: a mismatch leaves no file, not even a temporary one.
ImageResult ImageWriter::VerifyBitmap(const std::string &content, const uint8_t *headers,
                                      size_t headerSize, const uint8_t *rows, size_t rowBytes) {
#ifdef QR_IMAGES_CAN_VERIFY
  if (!verify_) return ImageResult();
  const qrplatform::Outcome read = readBack_.FromBitmapFile(headers, headerSize, rows, rowBytes);
  return Verified(read ? readBack_.Verify(content) : read);
#else
  (void)content, (void)headers, (void)headerSize, (void)rows, (void)rowBytes;
  return ImageResult();
#endif
}

ImageResult ImageWriter::VerifyPng(const std::string &content) {
#ifdef QR_IMAGES_CAN_VERIFY
  if (!verify_) return ImageResult();
  const qrplatform::Outcome read = readBack_.FromPngFile(png_.data(), png_.size());
  return Verified(read ? readBack_.Verify(content) : read);
#else
  (void)content;
  return ImageResult();
#endif
}

bool ImageWriter::CanVerify() {
#ifdef QR_IMAGES_CAN_VERIFY
  return true;
#else
  return false;
#endif
}

ImageResult ImageWriter::Write(const std::string &content, const qr::SymbolPlan &plan,
                               const std::string &path, qrplatform::PendingFile &file,
                               int modulePixels, const std::string *caption) {
  FileBytes bytes;
  ImageResult made = Make(content, plan, path, bytes, modulePixels, caption);
  if (!made) return made;
  const bool written = bytes.data[1] == nullptr
                           ? file.Write(path.c_str(), {{bytes.data[0], bytes.size[0]}})
                           : file.Write(path.c_str(), {{bytes.data[0], bytes.size[0]},
                                                       {bytes.data[1], bytes.size[1]}});
  if (!written) return NotWritten(qrplatform::LastErrorText());
  return ImageResult();
}

std::string ImageWriter::PreviewBitmap() {
  const qr::BitmapImage *image = &bitmap_;
  if (format_ == ImageFormat::kSvg &&
      !engine_.DrawBitmap(width_, lastSymbolHeight_, lastModulePixels_, bitmap_))
    return std::string();
  if (lastCaptioned_) {
    if (format_ == ImageFormat::kSvg) {
      // The band as drawn for a bitmap; the SVG's own text is set by its viewer.
      if (!captioned_->Compose(bitmap_, layout_, withCaption_)) return std::string();
    }
    image = &withCaption_;
  }
  std::string file(image->headers.begin(), image->headers.end());
  file.append(reinterpret_cast<const char *>(image->rows), image->rowBytes);
  return file;
}

ImageResult ImageWriter::Make(const std::string &content, const qr::SymbolPlan &plan,
                              const std::string &path, FileBytes &bytes, int modulePixels,
                              const std::string *caption) {
  ImageResult encoded = EncodeWithCaption(content, plan, caption);
  if (!encoded) return encoded;
  // With a caption the symbol is drawn in the rows above its band.
  lastCaptioned_ = captioned_ && caption;
  lastModulePixels_ = modulePixels > 0 ? modulePixels : modulePixels_;
  lastSymbolHeight_ = lastCaptioned_ ? captioned_->symbolHeight() : height_;
  if (format_ == ImageFormat::kSvg) return MakeSvg(content, path, bytes);
  if (!engine_.DrawBitmap(width_, lastSymbolHeight_, lastModulePixels_, bitmap_,
                          qr::PixelsPerMetre(dotsPerInch_)))
    return NotWritten("the image is too large");
  if (lastCaptioned_ && !captioned_->Compose(bitmap_, layout_, withCaption_))
    return NotWritten("the caption could not be drawn");
  const qr::BitmapImage &image = lastCaptioned_ ? withCaption_ : bitmap_;
  if (format_ == ImageFormat::kPng) return MakePng(content, path, image, bytes);
  return MakeBitmapFile(content, path, image, bytes);
}

ImageResult ImageWriter::EncodeWithCaption(const std::string &content, const qr::SymbolPlan &plan,
                                           const std::string *caption) {
  const qr::EncodeResult encoded = engine_.Encode(plan, content.data(), content.size());
  if (encoded != qr::EncodeResult::kWritten) {
    return NotWritten(encoded == qr::EncodeResult::kOutOfMemory
                          ? "the engine could not encode it: out of memory"
                          : "the engine could not encode it: the content does not fit version 40");
  }
  if (!captioned_ || !caption) return ImageResult();
  layout_ = captioned_->Lay(*caption);
  if (!layout_.fits) return {ImageFailure::kCaptionTooLong, std::string()};
  return ImageResult();
}

ImageResult ImageWriter::MakeSvg(const std::string &content, const std::string &path,
                                 FileBytes &bytes) {
  qr::SymbolPicture picture = engine_.Picture(width_, lastSymbolHeight_, lastModulePixels_);
  if (lastCaptioned_) {
    qr::PicturePlacement placement = picture.placement();
    placement.imageHeight = height_;
    placement.textBandHeight = height_ - lastSymbolHeight_;
    picture = picture.Placed(placement);
  }
  BuildSvg(picture, svg_, dotsPerInch_);
  if (lastCaptioned_) captioned_->AppendSvgText(layout_, svg_);
  // The SVG is read back from a bitmap of the same picture (the same
  // placement and modules): pixels the decoder can take.
  if (verify_ || damage_) {
    if (!engine_.DrawBitmap(width_, lastSymbolHeight_, lastModulePixels_, bitmap_)) {
      return {verify_ ? ImageFailure::kVerifyFailed : ImageFailure::kNotWritten,
              "the image is too large to read back"};
    }
    const uint8_t *headers, *rows;
    size_t headerSize, rowBytes;
    BitmapParts(bitmap_, path, headers, headerSize, rows, rowBytes);
    ImageResult verified = VerifyBitmap(content, headers, headerSize, rows, rowBytes);
    if (!verified) return verified;
  }
  bytes.data[0] = reinterpret_cast<const uint8_t *>(svg_.data());
  bytes.size[0] = svg_.size();
  return ImageResult();
}

ImageResult ImageWriter::MakePng(const std::string &content, const std::string &path,
                                 const qr::BitmapImage &image, FileBytes &bytes) {
  if (!pngEncoder_.Encode(image, png_, lastCaptioned_ ? height_ - lastSymbolHeight_ : 0))
    return NotWritten("the PNG encoder failed");
  if (damage_) damage_(path, png_);
  ImageResult verified = VerifyPng(content);
  if (!verified) return verified;
  bytes.data[0] = png_.data();
  bytes.size[0] = png_.size();
  return ImageResult();
}

ImageResult ImageWriter::MakeBitmapFile(const std::string &content, const std::string &path,
                                        const qr::BitmapImage &image, FileBytes &bytes) {
  const uint8_t *headers, *rows;
  size_t headerSize, rowBytes;
  BitmapParts(image, path, headers, headerSize, rows, rowBytes);
  ImageResult verified = VerifyBitmap(content, headers, headerSize, rows, rowBytes);
  if (!verified) return verified;
  bytes.data[0] = headers;
  bytes.size[0] = headerSize;
  bytes.data[1] = rows;
  bytes.size[1] = rowBytes;
  return ImageResult();
}

}  // namespace qrimage
