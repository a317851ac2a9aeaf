// The batch button: one image per input line, counters, bar and a report of
// the lines that produced no file.
#include "batch_run.h"
#include "control_names.h"
#include "failure_text.h"
#include "gbk_text.h"
#include "integer_of_text.h"
#include "line_display.h"
#include "line_splitter.h"
#include "main_window_logic.h"
#include "progress_text.h"
#include "ui_texts.h"

namespace qrapp {

namespace {

constexpr size_t kListedFailures = 10;

// Version, level and sizes are read anew for every line.
class WindowBatchObserver : public BatchObserver {
 public:
  WindowBatchObserver(MainWindowView &view, FileSystem &files) : view_(view), files_(files) {}

  BatchRecipe RecipeForLine() override {
    BatchRecipe recipe;
    recipe.version = view_.SelectedIndex(control::kVersionList);
    recipe.level = view_.SelectedIndex(control::kLevelList);
    recipe.width = IntegerOfText(view_.Text(control::kBatchWidth));
    recipe.height = IntegerOfText(view_.Text(control::kBatchHeight));
    return recipe;
  }

  void LineFinished(int done, int total, int written, const std::string &path,
                    bool fileWritten) override {
    // Only a file just written is shown: a refused name may lie outside the
    // folder, and a file the line did not write holds another image.
    std::string bytes;
    if (fileWritten) files_.ReadFile(path, bytes);
    view_.SetPicture(control::kPreview, bytes);
    view_.SetText(control::kWrittenCount, std::to_string(written));
    view_.SetWidth(control::kProgressBar, ProgressBarWidth(done, total));
    view_.SetText(control::kPercent, PercentText(view_.Width(control::kProgressBar)));
    view_.Repaint();
  }

 private:
  MainWindowView &view_;
  FileSystem &files_;
};

}  // namespace

void MainWindowLogic::OnBatchClicked() {
  const std::string folder = view_.Text(control::kDestination);
  const std::vector<std::string> lines = SplitLines(view_.Text(control::kBatchInput));
  if (lines.empty()) return;
  // An empty folder would send every image to the root of the drive.
  if (folder.empty()) {
    view_.ShowMessage(ToGbk(text::kMessageCaption), ToGbk(text::kNoDestination));
    return;
  }
  WindowBatchObserver observer(view_, files_);
  const BatchReport report = RunBatch(engine_, lines, folder, '\\', observer);
  if (!report.failures.empty()) ReportFailures(report);
}

void MainWindowLogic::ReportFailures(const BatchReport &report) {
  std::string message = ToGbk(text::kFailedLinesHead) + std::to_string(report.failures.size()) +
                        ToGbk(text::kFailedLinesTail);
  for (size_t i = 0; i < report.failures.size() && i < kListedFailures; ++i) {
    const LineFailure &failure = report.failures[i];
    message += "\r\n" + ToGbk(text::kLineNumberHead) + std::to_string(failure.lineNumber) +
               ToGbk(text::kLineNumberTail) + " \"" +
               DisplayLine(failure.line, ReportEncoding::kGbk) + "\": " +
               FailureText(failure, kWindowFailureTexts, ToGbk);
  }
  if (report.failures.size() > kListedFailures) message += "\r\n" + ToGbk(text::kMoreFailedLines);
  view_.ShowMessage(ToGbk(text::kMessageCaption), message);
}

}  // namespace qrapp
