#include "sheet_batch.h"

#include <cerrno>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "folders.h"
#include "input_lines.h"
#include "label_sheet_pdf.h"
#include "line_decision.h"
#include "ordered_report.h"
#include "record_lines.h"
#include "stop_request.h"
#include "streamed_file.h"
#include "symbol_engine.h"
#include "system_error.h"
#include "terminal.h"

namespace qrbatch {

namespace {

using qrplatform::LineReader;

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
  if (!folder.PlaceOf(kSheetFileName, place, error) || !file.Create(place.path())) {
    qrplatform::PrintText(err, "qrbatch: cannot create the PDF in %s: %s\n",
                          options.outputFolder.c_str(),
                          error.empty() ? file.errorText().c_str() : error.c_str());
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
  LineReader reader(input, options.inputEncoding);
  decider.UseInput(&reader.decoder());
  LabelWriter labels(sheet);
  RecordLines records(options.csv);
  bool headerDue = options.header;
  InputRecord record;
  std::string line;
  LineJob job;
  int lineNumber = 0;
  int entries = 0;  // lines, or records of several lines, that are to make a label
  // Decides one record and places its label; false when the header names
  // no picked column (the batch cannot go on).
  const auto take = [&](InputRecord &&taken) {
    if (headerDue) {
      headerDue = false;
      qrapp::ColumnChoice choice;
      if (!ChooseColumns(options, taken.fields, choice, error)) {
        qrplatform::PrintText(err, "qrbatch: %s\n", error.c_str());
        return false;
      }
      decider.SetColumns(choice);
      return true;
    }
    const int first = taken.lineNumber;
    ++entries;
    report.Begin(first);
    auto failure = std::make_unique<qrapp::LineFailure>();
    const bool decided = decider.Decide(std::move(taken), job, *failure);
    report.Name(first, decider.lastName());
    report.Settle(first, decided ? labels.Place(job) : std::move(failure));
    return true;
  };
  if (!options.header) {
    qrapp::ColumnChoice choice;
    ChooseColumns(options, {}, choice, error);  // numbers only: --columns names imply --header
    decider.SetColumns(choice);
  }
  bool columnsKnown = true;
  LineReader::Result result;
  while ((result = reader.Next(line)) == LineReader::Result::kLine) {
    if (records.Add(++lineNumber, std::move(line), record)) {
      columnsKnown = take(std::move(record));
      if (!columnsKnown) break;
    }
    if (qrplatform::StopRequested()) {
      result = LineReader::Result::kStopped;
      break;
    }
  }
  if (result == LineReader::Result::kEnd && records.Finish(record)) take(std::move(record));
  report.Close();
  if (!columnsKnown) return 2;
  if (result == LineReader::Result::kStopped || qrplatform::StopRequested()) {
    const long long known = lineCount > report.begun() ? lineCount : report.begun();
    qrplatform::PrintText(err, "qrbatch: interrupted after %d of %lld lines\n", report.settled(),
                          known);
    return 130;
  }
  if (result == LineReader::Result::kFailed) {
    qrplatform::PrintText(err, "qrbatch: cannot read the input after line %d: %s\n", lineNumber,
                          qrplatform::ErrnoText(reader.error()).c_str());
    return 2;
  }
  error.clear();
  if (!sheet.Finish(error) || !file.Publish()) {
    // A failed write's own reason before cairo's words for it.
    const std::string reason = file.errorText().empty() ? error : file.errorText();
    qrplatform::PrintText(err, "qrbatch: cannot write %s: %s\n", kSheetFileName, reason.c_str());
    return 2;
  }
  if (report.failures() > 0) {
    qrplatform::PrintText(err, "qrbatch: %d of %d lines produced no label\n", report.failures(),
                          entries);
    return 1;
  }
  return 0;
}

}  // namespace qrbatch
