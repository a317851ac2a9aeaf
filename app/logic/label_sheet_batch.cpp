#include "label_sheet_batch.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "batch_file_name.h"
#include "batch_symbol.h"
#include "failure_text.h"
#include "label_sheet_pdf.h"
#include "report_csv.h"
#include "symbol_engine.h"
#include "symbol_recipe.h"

namespace qrapp {

namespace {

constexpr double kPtPerMm = 72 / 25.4;

std::string Millimetres(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f 毫米", mm);
  return text;
}

// The sheet being drawn, with a second text layout on a PDF surface that
// writes nowhere: a caption is measured there first, so that the module
// its code gets is known before the label is drawn.
class LabelSheet {
 public:
  LabelSheet(const qrsheets::SheetLayout &layout, const qrsheets::LabelStyle &style)
      : layout_(layout), style_(style), pdf_(layout, style) {}
  ~LabelSheet() {
    caption_.reset();
    if (measure_) cairo_destroy(measure_);
    if (scratch_) {
      cairo_surface_finish(scratch_);
      cairo_surface_destroy(scratch_);
    }
  }

  bool Open(std::string &error) {
    scratch_ = cairo_pdf_surface_create_for_stream(nullptr, nullptr, layout_.pageWidth * kPtPerMm,
                                                   layout_.pageHeight * kPtPerMm);
    measure_ = cairo_create(scratch_);
    if (cairo_status(measure_) != CAIRO_STATUS_SUCCESS) {
      error = cairo_status_to_string(cairo_status(measure_));
      return false;
    }
    cairo_scale(measure_, kPtPerMm, kPtPerMm);
    caption_ = std::make_unique<qrsheets::CaptionText>(measure_, style_.caption);
    return pdf_.Open(
        [this](const unsigned char *data, size_t size) {
          bytes_.append(reinterpret_cast<const char *>(data), size);
          return true;
        },
        error);
  }

  // The fault that keeps a side x side code and its caption off a label
  // (kNone: it goes on), with its reason.
  LineFault Check(int side, const std::string &caption, std::string &reason) {
    double captionHeight = 0;
    if (!caption.empty() &&
        !caption_->Fit(caption, layout_.labelWidth - 2 * style_.paddingMm, captionHeight))
      return LineFault::kCaptionTooLong;
    qrsheets::LabelPlacement place;
    std::string placeReason;
    const bool placed = qrsheets::PlaceLabel(layout_.labelWidth, layout_.labelHeight, style_, side,
                                             captionHeight, place, placeReason);
    if (placed && place.module >= kSmallestLabelModuleMm) return LineFault::kNone;
    const int modules = side + 2 * style_.quietZone;
    const double room =
        std::min(layout_.labelWidth, layout_.labelHeight - captionHeight) - 2 * style_.paddingMm;
    reason = "二维码连同静区 " + std::to_string(modules) + " 模块，每模块至少 " +
             Millimetres(kSmallestLabelModuleMm) + "，需要 " +
             Millimetres(modules * kSmallestLabelModuleMm) + "，标签只留出 " +
             Millimetres(std::max(room, 0.0));
    return LineFault::kCodeTooLargeForLabel;
  }

  bool Add(const std::vector<uint8_t> &modules, int side, const std::string &caption,
           std::string &reason) {
    return pdf_.Add(modules, side, caption, reason) == qrsheets::LabelSheetPdf::Outcome::kPlaced;
  }
  int labels() const { return pdf_.labels(); }
  // The whole document; false with `error` when cairo could not finish it.
  bool Finish(std::string &bytes, std::string &error) {
    if (!pdf_.Finish(error)) return false;
    bytes = std::move(bytes_);
    return true;
  }

 private:
  qrsheets::SheetLayout layout_;
  qrsheets::LabelStyle style_;
  // Before the document: a document given up still writes its end here
  // as it goes.
  std::string bytes_;
  qrsheets::LabelSheetPdf pdf_;
  cairo_surface_t *scratch_ = nullptr;
  cairo_t *measure_ = nullptr;
  std::unique_ptr<qrsheets::CaptionText> caption_;
};

// The report file's rows, in line order: every placed line is on the
// document, named after it; the others with their reasons.
std::string ReportRows(const BatchReport &report, size_t lineCount,
                       const std::vector<int> &placed) {
  std::string rows = ReportCsvStart();
  size_t nextFailure = 0, nextPlaced = 0;
  for (int line = 1; line <= static_cast<int>(lineCount); ++line) {
    if (nextPlaced < placed.size() && placed[nextPlaced] == line) {
      rows += ReportCsvRow(line, kLabelSheetFileName, true, std::string_view());
      ++nextPlaced;
    } else if (nextFailure < report.failures.size() &&
               report.failures[nextFailure].lineNumber == line) {
      rows += ReportCsvRow(line, std::string_view(), false,
                           FailureText(report.failures[nextFailure], kWindowFailureTexts));
      ++nextFailure;
    }
  }
  return rows;
}

qrsheets::LabelStyle StyleOf(const ImageChoice &choice) {
  qrsheets::LabelStyle style;
  if (choice.quietZone >= 0) style.quietZone = choice.quietZone;
  return style;
}

}  // namespace

BatchOutcome RunLabelSheetBatch(EngineExports &engine, FileSystem &files, const BatchRecipe &recipe,
                                const std::vector<std::string> &lines, const BatchTarget &target,
                                BatchObserver &observer) {
  BatchOutcome outcome;
  BatchReport &report = outcome.report;
  report.total = static_cast<int>(lines.size());
  qrsheets::SheetLayout layout;
  std::string sheetError;
  const bool laidOut = qrsheets::MakeSheetLayout(qrsheets::DefaultSheet(), layout, sheetError);
  LabelSheet sheet(layout, StyleOf(target.images));
  const bool opened = laidOut && sheet.Open(sheetError);
  const qr::SymbolSettings settings = SymbolSettingsOf(recipe);
  qr::SymbolEngine symbols;
  std::vector<uint8_t> modules;
  std::vector<int> placed;  // line numbers
  for (int done = 1; done <= report.total; ++done) {
    const std::string &line = lines[done - 1];
    LineFailure failure;
    LineRecord parts;
    const bool recorded = RecordOfLine(line, target.records, parts, failure);
    // A label always has a caption: the name unless the options choose.
    const std::string caption = target.images.caption == CaptionChoice::kNone
                                    ? parts.name
                                    : CaptionOf(target.images.caption, parts);
    qrtext::EncodedContent content;
    const bool expressible =
        recorded && qrtext::EncodeContent(parts.content, target.encoding.encoding,
                                          target.encoding.eciForGbk, content);
    if (!expressible) content = qrtext::EncodedContent();
    // The engine holds the last line after the batch, as after the image batch.
    if (done == 1) {
      ApplyRecipe(engine, content.bytes, recipe);
    } else {
      engine.QRSetMessage(content.bytes);
    }

    const qr::SymbolPlan plan = PlanContent(content.bytes, content.eciDesignator, settings);
    if (!recorded) {
      // The record's fault is in `failure` already.
    } else if (!expressible) {
      failure.fault = LineFault::kUnrepresentable;
    } else if (plan.result != qr::EncodeResult::kWritten) {
      failure.fault = LineFault::kTooLong;
    } else if (!opened) {
      failure.fault = LineFault::kNotWritten;
      failure.reason = sheetError;
    } else {
      failure.fault = sheet.Check(plan.side, caption, failure.reason);
    }
    if (failure.fault == LineFault::kNone) {
      const qr::EncodeResult encoded =
          symbols.Encode(plan, content.bytes.data(), content.bytes.size());
      const int side = symbols.side();
      if (encoded == qr::EncodeResult::kWritten) {
        modules.resize(static_cast<size_t>(side) * side);
        for (int y = 0; y < side; ++y)
          for (int x = 0; x < side; ++x)
            modules[static_cast<size_t>(y) * side + x] = symbols.Dark(x, y);
      }
      if (encoded != qr::EncodeResult::kWritten ||
          !sheet.Add(modules, side, caption, failure.reason))
        failure.fault = LineFault::kNotWritten;
    }
    const bool written = failure.fault == LineFault::kNone;
    if (written) {
      placed.push_back(done);
      ++report.written;
    } else {
      failure.lineNumber = done;
      failure.line = line;
      report.failures.push_back(std::move(failure));
    }
    observer.LineFinished(done, report.total, report.written, content, written);
    if (observer.StopRequested()) {
      outcome.stopped = done < report.total;
      break;
    }
  }
  if (outcome.stopped || sheet.labels() == 0) {
    outcome.reportCsv = ReportRows(report, lines.size(), placed);
    return outcome;
  }

  std::string bytes, error;
  const std::string path =
      MakeBatchFileName(target.folder, kLabelSheetFileName, target.separator, "", true).path;
  if (sheet.Finish(bytes, error) && files.WriteFile(path, bytes)) {
    outcome.reportCsv = ReportRows(report, lines.size(), placed);
    return outcome;
  }
  // Nothing was written: every placed line fails, in line order.
  for (int lineNumber : placed) {
    LineFailure failure;
    failure.lineNumber = lineNumber;
    failure.line = lines[lineNumber - 1];
    failure.fault = LineFault::kNotWritten;
    failure.reason = error;
    report.failures.push_back(std::move(failure));
  }
  report.written = 0;
  std::stable_sort(
      report.failures.begin(), report.failures.end(),
      [](const LineFailure &a, const LineFailure &b) { return a.lineNumber < b.lineNumber; });
  outcome.reportCsv = ReportRows(report, lines.size(), {});
  return outcome;
}

}  // namespace qrapp
