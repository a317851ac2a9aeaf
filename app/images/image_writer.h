// One worker's image files, qrbatch's and the window's: builds a line's
// planned symbol with an engine of its own, draws it in the chosen format
// (with its caption) and writes the file whole under a temporary name
// (qrbatch's FilePublisher gives it its name), or hands its bytes to the
// caller (the window). With verification on, the image is read back with a
// decoder first, and a mismatch writes nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "captioned_image.h"
#include "image_format.h"
#include "pending_file.h"
#include "png_image.h"
#include "symbol_engine.h"
#ifdef QR_IMAGES_CAN_VERIFY
#include "symbol_verifier.h"
#endif

namespace qrimage {

// Something done to a file's bytes (a bitmap or PNG file; for SVG the
// bitmap read back in its place) after they are made and before they are
// verified and written: a test damages them to watch verification catch
// it. None (the writers' default) leaves every file alone.
using ImageDamage = std::function<void(const std::string &path, std::vector<uint8_t> &file)>;

// Why an image has no file.
enum class ImageFailure {
  kNone,
  kNotWritten,      // it could not be encoded, drawn or written
  kVerifyFailed,    // it did not read back as its content
  kCaptionTooLong,  // its caption does not fit the band, even wrapped at the smallest size
};

// What became of an image: made (or written), or why not, with the reason
// (none for a caption too long: the failure says it all).
struct ImageResult {
  ImageFailure failure = ImageFailure::kNone;
  std::string reason;

  explicit operator bool() const { return failure == ImageFailure::kNone; }
};

class ImageWriter {
 public:
  // `verify`: read every image back before it is written (ignored by a
  // build without a decoder; its options refuse --verify). `captionBand`:
  // rows at the bottom of every image kept for its caption (0: none).
  // `damage`: applied to every file before it is verified (tests).
  ImageWriter(const ImageFrame &frame, ImageFormat format, int modulePixels, bool verify = false,
              int captionBand = 0, ImageDamage damage = nullptr);

  // Builds `plan` (made for `content` by the line's fit check) and writes
  // it as `file`, pending for `path`, with modules of `modulePixels` (the
  // fit check's; 0: the writer's own) and, with captions, `caption` (the
  // line's caption text) under the code. The failure when no file was
  // written.
  ImageResult Write(const std::string &content, const qr::SymbolPlan &plan, const std::string &path,
                    qrplatform::PendingFile &file, int modulePixels = 0,
                    const std::string *caption = nullptr);

  // The same image's file as up to two parts (bitmap headers and rows, or
  // one part), held here until the next image; nothing is written.
  struct FileBytes {
    const uint8_t *data[2] = {nullptr, nullptr};
    size_t size[2] = {0, 0};
  };
  ImageResult Make(const std::string &content, const qr::SymbolPlan &plan, const std::string &path,
                   FileBytes &bytes, int modulePixels = 0, const std::string *caption = nullptr);

  // The last image made as a whole bitmap file (an SVG drawn as the bitmap
  // of its picture, its caption band blank), for a preview; empty when it
  // cannot be drawn.
  std::string PreviewBitmap();

  // True when this build reads images back (a build without a decoder
  // ignores `verify`).
  static bool CanVerify();

 private:
  // Encodes the planned symbol and lays its caption out (when captioned).
  ImageResult EncodeWithCaption(const std::string &content, const qr::SymbolPlan &plan,
                                const std::string *caption);
  ImageResult MakeSvg(const std::string &content, const std::string &path, FileBytes &bytes);
  ImageResult MakePng(const std::string &content, const std::string &path,
                      const qr::BitmapImage &image, FileBytes &bytes);
  ImageResult MakeBitmapFile(const std::string &content, const std::string &path,
                             const qr::BitmapImage &image, FileBytes &bytes);
  // The bitmap file's parts as drawn, or a damaged copy.
  void BitmapParts(const qr::BitmapImage &image, const std::string &path, const uint8_t *&headers,
                   size_t &headerSize, const uint8_t *&rows, size_t &rowBytes);
  // Fails with kVerifyFailed when verification is on and the image does
  // not read back as `content`.
  ImageResult VerifyBitmap(const std::string &content, const uint8_t *headers, size_t headerSize,
                           const uint8_t *rows, size_t rowBytes);
  ImageResult VerifyPng(const std::string &content);

  int width_, height_;
  ImageFormat format_;
  int modulePixels_;
  int dotsPerInch_;  // resolution stated in the files; 0: none
  qr::SymbolEngine engine_;
  qr::BitmapImage bitmap_;
  PngEncoder pngEncoder_;
  std::vector<uint8_t> png_;
  std::string svg_;
  int lastModulePixels_ = 0, lastSymbolHeight_ = 0;
  bool lastCaptioned_ = false;
  bool verify_;
  ImageDamage damage_;
  std::vector<uint8_t> damaged_;  // a damaged bitmap file
#ifdef QR_IMAGES_CAN_VERIFY
  qrverify::GreyImage readBack_;
#endif
  std::unique_ptr<CaptionedImage> captioned_;  // with captions only
  qr::BitmapImage withCaption_;
  qrcaption::CaptionLayout layout_;
};

}  // namespace qrimage
