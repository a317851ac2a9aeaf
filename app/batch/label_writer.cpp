#include "label_writer.h"

#include <cerrno>
#include <utility>

#include "system_error.h"

namespace batch {

qrsheets::LabelStyle LabelStyleOf(const BatchSettings &settings) {
  qrsheets::LabelStyle style;
  style.moduleMm = settings.recipe.autoModule ? 0 : settings.labelModuleMm;
  if (settings.recipe.quietZone >= 0) style.quietZone = settings.recipe.quietZone;
  style.smallestModuleMm = settings.smallestLabelModuleMm;
  return style;
}

std::unique_ptr<LineFailure> LabelWriter::Place(LineJob &job) {
  auto failure = std::make_unique<LineFailure>();
  failure->lineNumber = job.lineNumber;
  const qr::EncodeResult encoded = engine_.Encode(job.plan, job.content.data(), job.content.size());
  if (encoded == qr::EncodeResult::kWritten) {
    const int side = engine_.side();
    modules_.resize(static_cast<size_t>(side) * side);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        modules_[static_cast<size_t>(y) * side + x] = engine_.Dark(x, y);
    qrsheets::LabelSheetPdf::Added added = sheet_.Add(modules_, side, job.caption);
    switch (added.refusal) {
      case qrsheets::LabelSheetPdf::Refusal::kNone: return nullptr;
      case qrsheets::LabelSheetPdf::Refusal::kCaptionTooLong:
        // The fault's words say it all.
        failure->fault = LineFault::kCaptionTooLong;
        break;
      case qrsheets::LabelSheetPdf::Refusal::kCodeTooLarge:
        failure->fault = LineFault::kCodeTooLargeForLabel;
        failure->reason = words_ ? words_(sheet_.lastPlacement(), style_) : std::move(added.reason);
        break;
    }
  } else if (encoded == qr::EncodeResult::kOutOfMemory) {
    failure->fault = LineFault::kNotWritten;
    failure->reason = qrplatform::ErrnoText(ENOMEM);
  } else {
    failure->fault = LineFault::kTooLong;
  }
  failure->line = std::move(job.line);
  return failure;
}

}  // namespace batch
