#include "label_writer.h"

#include <cerrno>
#include <utility>

#include "system_error.h"

namespace qrapp {

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
    switch (sheet_.Add(modules_, side, job.caption, failure->reason)) {
      case qrsheets::LabelSheetPdf::Outcome::kPlaced: return nullptr;
      case qrsheets::LabelSheetPdf::Outcome::kCaptionTooLong:
        failure->fault = LineFault::kCaptionTooLong;
        failure->reason.clear();  // the fault's words say it all
        break;
      case qrsheets::LabelSheetPdf::Outcome::kCodeTooLarge:
        failure->fault = LineFault::kCodeTooLargeForLabel;
        if (words_) failure->reason = words_(sheet_.lastPlacement(), style_);
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

}  // namespace qrapp
