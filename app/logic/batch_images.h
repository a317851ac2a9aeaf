// The window's batch images other than the DLL's bitmap: PNG, SVG, a
// module size fitted to the image, a quiet zone, captions, verification.
// Drawn in process by the writers qrbatch uses, on the same picture
// geometry (FitPicture), and written through the window's file system.
#pragma once

#include <string>

#include "batch_recipe.h"
#include "batch_symbol.h"
#include "content_encoding.h"
#include "file_system.h"
#include "image_writer.h"
#include "line_check.h"
#include "window_options.h"

namespace qrapp {

// The image a batch wrote last, for its preview.
class WrittenImages {
 public:
  virtual ~WrittenImages() = default;
  // The last image written, as a bitmap file; empty when none.
  virtual std::string LastBitmap() = 0;
};

class BatchImages : public WrittenImages {
 public:
  BatchImages(const BatchRecipe &recipe, const ImageChoice &choice);

  // Rows at the bottom of every image kept for a caption; 0 without.
  int captionBand() const { return captionBand_; }

  // The fit check's measure of a line's content: the side in pixels the
  // symbol and its quiet zone need (0: no symbol holds it). Plans the
  // symbol that Write then builds.
  int NeededPixels(const qrtext::EncodedContent &content);

  // Writes the planned symbol of the last measured content as `path`, with
  // `caption` (UTF-8) under it when captions are on. The fault when it
  // wrote nothing: kVerifyFailed (the image did not read back; nothing is
  // left under the path), kCaptionTooLong or kNotWritten, with the reason.
  LineFault Write(const qrtext::EncodedContent &content, const std::string &caption,
                  const std::string &path, FileSystem &files, std::string &reason);

  std::string LastBitmap() override;

 private:
  BatchRecipe recipe_;
  bool captions_;
  int captionBand_;
  int fixedModulePixels_;
  qr::SymbolSettings settings_;
  qr::SymbolPlan plan_;
  PictureFit fit_;
  qrimage::ImageWriter writer_;
  bool written_ = false;
};

}  // namespace qrapp
