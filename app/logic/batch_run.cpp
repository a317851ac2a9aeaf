#include "batch_run.h"

#include <memory>
#include <utility>

#include "batch_images.h"
#include "failure_text.h"
#include "label_sheet_batch.h"
#include "line_decider.h"
#include "report_csv.h"
#include "symbol_recipe.h"

namespace qrapp {

namespace {

// The engine's measure of a symbol, for the DLL's own bitmap files: the
// exports plan by their own rules (the message cut as QRSetMessage cuts it).
class EngineMeasure : public batch::SymbolMeasure {
 public:
  EngineMeasure(BatchSymbols &symbols, const batch::BatchRecipe &recipe)
      : symbols_(symbols), recipe_(recipe) {}
  int SymbolPixels(const qrtext::EncodedContent &content) override {
    return symbols_.SymbolPixels(content, recipe_);
  }

 private:
  BatchSymbols &symbols_;
  const batch::BatchRecipe &recipe_;
};

// The window's means of writing a decided line's file.
struct LineWriters {
  EngineExports &engine;
  BatchSymbols &symbols;
  qrplatform::FileSystem &files;
  const batch::BatchRecipe &recipe;
  BatchImages *images;  // null: the DLL's bitmap files
};

// Writes the line's file: in process, or through the engine's exports,
// which hold its message already, or, for a designator they cannot carry,
// the same bitmap drawn in process. Null when written.
std::unique_ptr<batch::LineFailure> WriteLineFile(const LineWriters &writers,
                                                  const batch::LineJob &job) {
  ImageOutcome outcome;
  if (writers.images) {
    outcome = writers.images->Write(job, writers.files);
  } else if (job.eciDesignator == 0) {
    if (!writers.engine.QRSaveAsBMP(job.path)) {
      outcome.fault = batch::LineFault::kNotWritten;
      outcome.reason = writers.engine.LastSaveError();
    }
  } else {
    const std::string bitmap =
        writers.symbols.BitmapFile({job.content, job.eciDesignator}, writers.recipe);
    if (bitmap.empty() || !writers.files.WriteFile(job.path, bitmap))
      outcome.fault = batch::LineFault::kNotWritten;
  }
  if (outcome.fault == batch::LineFault::kNone) return nullptr;
  auto failure = std::make_unique<batch::LineFailure>();
  failure->lineNumber = job.lineNumber;
  failure->line = job.line;
  failure->fault = outcome.fault;
  failure->reason = std::move(outcome.reason);
  return failure;
}

// A finished line into the outcome: its report row, and its failure.
void Settle(BatchOutcome &outcome, int lineNumber, batch::LineDecision &decision) {
  if (!decision.failure) {
    ++outcome.report.written;
    outcome.reportCsv += batch::ReportCsvRow(lineNumber, decision.name, true, std::string_view());
    return;
  }
  outcome.reportCsv +=
      batch::ReportCsvRow(lineNumber, decision.name, false,
                          batch::FailureText(*decision.failure, batch::kWindowFailureTexts));
  outcome.report.failures.push_back(std::move(*decision.failure));
}

}  // namespace

void SendLineToEngine(EngineExports &engine, int lineNumber, const std::string &content,
                      const batch::BatchRecipe &recipe) {
  if (lineNumber == 1) {
    ApplyRecipe(engine, content, recipe);
  } else {
    engine.QRSetMessage(content);
  }
}

BatchOutcome RunBatch(EngineExports &engine, BatchSymbols &symbols, qrplatform::FileSystem &files,
                      const batch::BatchRecipe &recipe, const std::vector<std::string> &lines,
                      const BatchTarget &target, BatchObserver &observer) {
  if (target.settings.labelSheets())
    return RunLabelSheetBatch(engine, files, recipe, lines, target, observer);
  BatchOutcome outcome;
  outcome.reportCsv = batch::ReportCsvStart();
  outcome.report.total = static_cast<int>(lines.size());
  batch::LineDecider decider(target.settings, target.folder, target.separator,
                             static_cast<long long>(lines.size()));
  EngineMeasure measure(symbols, recipe);
  std::unique_ptr<BatchImages> images;
  if (WrittenInProcess(target.settings)) {
    images = std::make_unique<BatchImages>(target.settings);
    observer.DrawsInProcess(*images);
  } else {
    decider.MeasureWith(&measure);
  }
  const LineWriters writers{engine, symbols, files, recipe, images.get()};
  for (int done = 1; done <= outcome.report.total; ++done) {
    batch::LineDecision decision = decider.Decide(batch::RecordOfLine(done, lines[done - 1]));
    const batch::LineJob &job = decision.job;
    // Every line's message goes to the engine, written or not.
    SendLineToEngine(engine, done, job.content, recipe);
    if (!decision.failure) decision.failure = WriteLineFile(writers, job);
    const bool written = !decision.failure;
    const qrtext::EncodedContent content{job.content, job.eciDesignator};
    Settle(outcome, done, decision);
    observer.LineFinished(done, outcome.report.total, outcome.report.written, content, written);
    if (observer.StopRequested()) {
      outcome.stopped = done < outcome.report.total;
      break;
    }
  }
  return outcome;
}

}  // namespace qrapp
