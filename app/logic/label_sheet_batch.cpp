#include "label_sheet_batch.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "batch_file_name.h"
#include "failure_text.h"
#include "label_sheet_pdf.h"
#include "label_writer.h"
#include "line_decider.h"
#include "report_csv.h"

namespace qrapp {

namespace {

std::string Millimetres(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f 毫米", mm);
  return text;
}

// The window's words for a code the sheet refused, with its numbers.
std::string RefusalWords(const qrsheets::LabelPlacement &refused,
                         const qrsheets::LabelStyle &style) {
  const double smallest = std::max(style.moduleMm, style.smallestModuleMm);
  return "二维码连同静区 " + std::to_string(refused.modules) + " 模块，每模块至少 " +
         Millimetres(smallest) + "，需要 " + Millimetres(refused.modules * smallest) +
         "，标签只留出 " + Millimetres(refused.roomMm);
}

// The report file's rows, in line order: every placed line is on the
// document, named after it; the others with their reasons.
std::string ReportRows(const batch::BatchReport &report, size_t lineCount,
                       const std::vector<int> &placed) {
  std::string rows = batch::ReportCsvStart();
  size_t nextFailure = 0, nextPlaced = 0;
  for (int line = 1; line <= static_cast<int>(lineCount); ++line) {
    if (nextPlaced < placed.size() && placed[nextPlaced] == line) {
      rows += batch::ReportCsvRow(line, kLabelSheetFileName, true, std::string_view());
      ++nextPlaced;
    } else if (nextFailure < report.failures.size() &&
               report.failures[nextFailure].lineNumber == line) {
      rows += batch::ReportCsvRow(
          line, std::string_view(), false,
          batch::FailureText(report.failures[nextFailure], batch::kWindowFailureTexts));
      ++nextFailure;
    }
  }
  return rows;
}

// The sheet in memory, written whole once every line is placed.
class MemorySheet {
 public:
  explicit MemorySheet(const batch::BatchSettings &settings)
      : style_(batch::LabelStyleOf(settings)),
        ready_(qrsheets::MakeSheetLayout(settings.sheet, layout_)),
        pdf_(layout_, style_),
        labels_(pdf_, style_, RefusalWords) {
    if (ready_) {
      ready_ = pdf_.Open([this](const unsigned char *data, size_t size) {
        bytes_.append(reinterpret_cast<const char *>(data), size);
        return true;
      });
    }
  }

  // Null when the decided line's label is placed; else why it has none.
  std::unique_ptr<batch::LineFailure> Place(batch::LineJob &job) {
    if (ready_) return labels_.Place(job);
    auto failure = std::make_unique<batch::LineFailure>();
    failure->lineNumber = job.lineNumber;
    failure->line = job.line;
    failure->fault = batch::LineFault::kNotWritten;
    failure->reason = ready_.reason();
    return failure;
  }
  int labels() const { return pdf_.labels(); }
  // The whole document, or why cairo could not finish it.
  struct Document {
    qrplatform::Outcome finished;
    std::string bytes;
  };
  Document Finish() {
    Document document{pdf_.Finish(), std::string()};
    if (document.finished) document.bytes = std::move(bytes_);
    return document;
  }

 private:
  qrsheets::LabelStyle style_;
  qrsheets::SheetLayout layout_;
  qrplatform::Outcome ready_;  // laid out and opened, or why not
  // Before the document: a document given up still writes its end here
  // as it goes.
  std::string bytes_;
  qrsheets::LabelSheetPdf pdf_;
  batch::LabelWriter labels_;
};

// Writes the document; when it cannot be written every placed line fails,
// in line order. Returns the report file's rows.
std::string WriteDocument(MemorySheet &sheet, qrplatform::FileSystem &files,
                          const BatchTarget &target, const std::vector<std::string> &lines,
                          const std::vector<int> &placed, batch::BatchReport &report) {
  const std::string path =
      batch::MakeBatchFileName(target.folder, kLabelSheetFileName, target.separator, "", true).path;
  const MemorySheet::Document document = sheet.Finish();
  if (document.finished && files.WriteFile(path, document.bytes))
    return ReportRows(report, lines.size(), placed);
  for (int lineNumber : placed) {
    batch::LineFailure failure;
    failure.lineNumber = lineNumber;
    failure.line = lines[lineNumber - 1];
    failure.fault = batch::LineFault::kNotWritten;
    failure.reason = document.finished.reason();
    report.failures.push_back(std::move(failure));
  }
  report.written = 0;
  std::stable_sort(report.failures.begin(), report.failures.end(),
                   [](const batch::LineFailure &a, const batch::LineFailure &b) {
                     return a.lineNumber < b.lineNumber;
                   });
  return ReportRows(report, lines.size(), {});
}

}  // namespace

BatchOutcome RunLabelSheetBatch(EngineExports &engine, qrplatform::FileSystem &files,
                                const batch::BatchRecipe &recipe,
                                const std::vector<std::string> &lines, const BatchTarget &target,
                                BatchObserver &observer) {
  BatchOutcome outcome;
  batch::BatchReport &report = outcome.report;
  report.total = static_cast<int>(lines.size());
  MemorySheet sheet(target.settings);
  batch::LineDecider decider(target.settings, target.folder, target.separator,
                             static_cast<long long>(lines.size()));
  std::vector<int> placed;  // line numbers
  for (int done = 1; done <= report.total; ++done) {
    batch::LineDecision decision = decider.Decide(batch::RecordOfLine(done, lines[done - 1]));
    batch::LineJob &job = decision.job;
    // The engine holds the last line after the batch, as after the image batch.
    SendLineToEngine(engine, done, job.content, recipe);
    const qrtext::EncodedContent content{job.content, job.eciDesignator};
    if (!decision.failure) decision.failure = sheet.Place(job);
    const bool written = !decision.failure;
    if (written) {
      placed.push_back(done);
      ++report.written;
    } else {
      report.failures.push_back(std::move(*decision.failure));
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
  outcome.reportCsv = WriteDocument(sheet, files, target, lines, placed, report);
  return outcome;
}

}  // namespace qrapp
