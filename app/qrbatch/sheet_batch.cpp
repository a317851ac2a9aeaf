#include "sheet_batch.h"

#include <cerrno>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "decided_input.h"
#include "folders.h"
#include "input_lines.h"
#include "label_sheet_pdf.h"
#include "line_decision.h"
#include "ordered_report.h"
#include "stop_request.h"
#include "streamed_file.h"
#include "symbol_engine.h"
#include "system_error.h"
#include "terminal.h"

namespace qrbatch {

namespace {

// Lines are decoded text, shown as UTF-8 (terminal.h).
constexpr qrapp::ReportEncoding kConsoleEncoding = qrapp::ReportEncoding::kUtf8;

// The labels' module (in mm: a PDF has physical sizes; auto: the largest
// the label allows) and quiet zone. False with `error` for a module in
// pixels, which a PDF has none of.
bool LabelStyleOf(const Options &options, qrsheets::LabelStyle &style, std::string &error) {
  if (options.recipe.modulePixels > 0) {
    error = "a label's module is given in mm (--module Xmm) or auto";
    return false;
  }
  style.moduleMm = options.recipe.autoModule ? 0 : options.moduleMillimetres;
  if (options.recipe.quietZone >= 0) style.quietZone = options.recipe.quietZone;
  return true;
}

// Draws the decided lines' codes as labels, in input order, on the one
// thread that writes the PDF.
class LabelWriter {
 public:
  explicit LabelWriter(qrsheets::LabelSheetPdf &sheet) : sheet_(sheet) {}

  // Null when the label is placed; else why the line has none.
  std::unique_ptr<qrapp::LineFailure> Place(LineJob &job) {
    auto failure = std::make_unique<qrapp::LineFailure>();
    failure->lineNumber = job.lineNumber;
    const qr::EncodeResult encoded =
        engine_.Encode(job.plan, job.content.data(), job.content.size());
    if (encoded == qr::EncodeResult::kWritten) {
      const int side = engine_.side();
      modules_.resize(static_cast<size_t>(side) * side);
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
          modules_[static_cast<size_t>(y) * side + x] = engine_.Dark(x, y);
      switch (sheet_.Add(modules_, side, job.caption, failure->reason)) {
        case qrsheets::LabelSheetPdf::Outcome::kPlaced: return nullptr;
        case qrsheets::LabelSheetPdf::Outcome::kCaptionTooLong:
          failure->fault = qrapp::LineFault::kCaptionTooLong;
          failure->reason.clear();  // the fault's words say it all
          break;
        case qrsheets::LabelSheetPdf::Outcome::kCodeTooLarge:
          failure->fault = qrapp::LineFault::kCodeTooLargeForLabel;
          break;
      }
    } else if (encoded == qr::EncodeResult::kOutOfMemory) {
      failure->fault = qrapp::LineFault::kNotWritten;
      failure->reason = qrplatform::ErrnoText(ENOMEM);
    } else {
      failure->fault = qrapp::LineFault::kTooLong;
    }
    failure->line = std::move(job.line);
    return failure;
  }

 private:
  qrsheets::LabelSheetPdf &sheet_;
  qr::SymbolEngine engine_;
  std::vector<uint8_t> modules_;
};

}  // namespace

int RunSheetBatch(const Options &given, const qrplatform::OutputFolder &folder, int input,
                  long long lineCount, std::FILE *rows, std::FILE *err) {
  // A label's caption is its name unless --caption says otherwise.
  Options options = given;
  if (options.caption == CaptionSource::kNone) options.caption = CaptionSource::kName;
  qrsheets::SheetLayout layout;
  qrsheets::LabelStyle style;
  std::string error;
  if (!qrsheets::MakeSheetLayout(options.sheet, layout, error) ||
      !LabelStyleOf(options, style, error)) {
    qrplatform::PrintText(err, "qrbatch: %s\n", error.c_str());
    return 2;
  }
  qrplatform::OutputFolder::Place place;
  qrplatform::StreamedFile file;
  const qrplatform::Outcome placed = folder.PlaceOf(kSheetFileName, place);
  if (!placed || !file.Create(place.path())) {
    qrplatform::PrintText(err, "qrbatch: cannot create the PDF in %s: %s\n",
                          options.outputFolder.c_str(),
                          placed ? file.errorText().c_str() : placed.reason().c_str());
    return 2;
  }
  qrsheets::LabelSheetPdf sheet(layout, style);
  if (!sheet.Open([&](const unsigned char *data, size_t size) { return file.Write(data, size); },
                  error)) {
    qrplatform::PrintText(err, "qrbatch: cannot start the PDF: %s\n", error.c_str());
    return 2;
  }

  OrderedReport report(err, qrplatform::IsTerminal(err) ? err : nullptr, lineCount,
                       kConsoleEncoding);
  if (rows) report.WriteRowsTo(rows);
  LineDecider decider(options, 0, qrplatform::PathSeparator(), lineCount);
  decider.DecideForSheets();
  LabelWriter labels(sheet);
  const ReadOutcome read = DecideInput(
      options, input, decider, report, err,
      [&](int lineNumber, LineJob &job) { report.Settle(lineNumber, labels.Place(job)); });
  report.Close();
  if (const int status = EndStatus(read, report, lineCount, err)) return status;
  error.clear();
  if (!sheet.Finish(error) || !file.Publish()) {
    // A failed write's own reason before cairo's words for it.
    const std::string reason = file.errorText().empty() ? error : file.errorText();
    qrplatform::PrintText(err, "qrbatch: cannot write %s: %s\n", kSheetFileName, reason.c_str());
    return 2;
  }
  if (report.failures() > 0) {
    qrplatform::PrintText(err, "qrbatch: %d of %d lines produced no label\n", report.failures(),
                          read.entries);
    return 1;
  }
  return 0;
}

}  // namespace qrbatch
