// The window's batch images other than the DLL's bitmap: PNG, SVG, a
// module size fitted to the image, a quiet zone, captions, verification.
// Drawn in process by the writers qrbatch uses, from the line the shared
// decider planned and fitted, and written through the window's file system.
#pragma once

#include <string>

#include "batch_settings.h"
#include "file_system.h"
#include "image_writer.h"
#include "line_check.h"
#include "line_decider.h"

namespace qrapp {

// The image a batch wrote last, for its preview.
class WrittenImages {
 public:
  virtual ~WrittenImages() = default;
  // The last image written, as a bitmap file; empty when none.
  virtual std::string LastBitmap() = 0;
};

// A line's image file, or why it has none.
struct ImageOutcome {
  batch::LineFault fault = batch::LineFault::kNone;
  std::string reason;
};

class BatchImages : public WrittenImages {
 public:
  explicit BatchImages(const batch::BatchSettings &settings);

  // Writes the decided line's symbol as its path, with its caption under
  // it when captions are on. The fault when it wrote nothing:
  // kVerifyFailed (the image did not read back; nothing is left under the
  // path), kCaptionTooLong or kNotWritten, with the reason.
  ImageOutcome Write(const batch::LineJob &job, qrplatform::FileSystem &files);

  std::string LastBitmap() override;

 private:
  bool captions_;
  qrimage::ImageWriter writer_;
  bool written_ = false;
};

}  // namespace qrapp
