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
#include "label_writer.h"
#include "line_decider.h"
#include "ordered_report.h"
#include "stop_request.h"
#include "streamed_file.h"
#include "symbol_engine.h"
#include "system_error.h"
#include "terminal.h"

namespace qrbatch {

namespace {

// Lines are decoded text, shown as UTF-8 (terminal.h).
constexpr batch::ReportEncoding kConsoleEncoding = batch::ReportEncoding::kUtf8;

}  // namespace

int RunSheetBatch(const Options &options, const qrplatform::OutputFolder &folder, int input,
                  long long lineCount, std::FILE *rows, std::FILE *err) {
  qrsheets::SheetLayout layout;
  const qrsheets::LabelStyle style = batch::LabelStyleOf(options);
  qrplatform::Outcome laidOut = qrsheets::MakeSheetLayout(options.sheet, layout);
  // A label's module is in mm or automatic: a PDF has no pixels.
  if (laidOut && options.recipe.modulePixels > 0)
    laidOut = qrplatform::Outcome::Failed("a label's module is given in mm (--module Xmm) or auto");
  if (!laidOut) {
    qrplatform::PrintText(err, "qrbatch: %s\n", laidOut.reason().c_str());
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
  const qrplatform::Outcome opened =
      sheet.Open([&](const unsigned char *data, size_t size) { return file.Write(data, size); });
  if (!opened) {
    qrplatform::PrintText(err, "qrbatch: cannot start the PDF: %s\n", opened.reason().c_str());
    return 2;
  }

  OrderedReport report(err, qrplatform::IsTerminal(err) ? err : nullptr, lineCount,
                       kConsoleEncoding);
  if (rows) report.WriteRowsTo(rows);
  batch::LineDecider decider(options, options.outputFolder, qrplatform::PathSeparator(), lineCount);
  batch::LabelWriter labels(sheet, style);
  const ReadOutcome read = DecideInput(
      options, input, decider, report, err,
      [&](int lineNumber, batch::LineJob &job) { report.Settle(lineNumber, labels.Place(job)); });
  report.Close();
  if (const int status = EndStatus(read, report, lineCount, err)) return status;
  const qrplatform::Outcome finished = sheet.Finish();
  if (!finished || !file.Publish()) {
    // A failed write's own reason before cairo's words for it.
    const std::string reason = file.errorText().empty() ? finished.reason() : file.errorText();
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
