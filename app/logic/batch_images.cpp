#include "batch_images.h"

#include <utility>

#include "batch_symbol.h"
#include "image_fault.h"

namespace qrapp {

BatchImages::BatchImages(const batch::BatchSettings &settings)
    : captions_(settings.caption != batch::CaptionSource::kNone),
      writer_(batch::FrameOf(settings.recipe), settings.format,
              batch::RecipeModulePixels(settings.recipe), settings.verify,
              batch::CaptionBandOf(settings)) {}

ImageOutcome BatchImages::Write(const batch::LineJob &job, qrplatform::FileSystem &files) {
  ImageOutcome outcome;
  written_ = false;
  qrimage::ImageWriter::FileBytes bytes;
  qrimage::ImageResult made = writer_.Make(job.content, job.plan, job.path, bytes, job.modulePixels,
                                           captions_ ? &job.caption : nullptr);
  if (!made) {
    outcome.fault = batch::FaultOfUnwrittenImage(made);
    outcome.reason = std::move(made.reason);
    return outcome;
  }
  std::string file(reinterpret_cast<const char *>(bytes.data[0]), bytes.size[0]);
  if (bytes.data[1] != nullptr)
    file.append(reinterpret_cast<const char *>(bytes.data[1]), bytes.size[1]);
  if (!files.WriteFile(job.path, file)) outcome.fault = batch::LineFault::kNotWritten;
  written_ = outcome.fault == batch::LineFault::kNone;
  return outcome;
}

std::string BatchImages::LastBitmap() { return written_ ? writer_.PreviewBitmap() : std::string(); }

}  // namespace qrapp
