// The batch button: one image per input line, counters, bar and a report of
// the lines that produced no file.
#include "batch_run.h"
#include "control_names.h"
#include "failure_text.h"
#include "integer_of_text.h"
#include "line_display.h"
#include "line_splitter.h"
#include "main_window_logic.h"
#include "progress_text.h"
#include "refresh_pace.h"
#include "ui_texts.h"

namespace qrapp {

namespace {

// The box lists this many lines; the rest are counted.
constexpr size_t kListedFailures = 20;

// The window shows the batch's progress at most about ten times a second,
// and after the last line: each update of a label or the bar costs the
// window far more than a line's file. What it shows is the line just
// finished: counter, bar, per-cent and preview.
class WindowBatchObserver : public BatchObserver {
 public:
  WindowBatchObserver(MainWindowView &view, BatchSymbols &symbols, const batch::BatchRecipe &recipe,
                      Clock &clock)
      : view_(view), symbols_(symbols), recipe_(recipe), pace_(clock) {}

  void DrawsInProcess(WrittenImages &images) override { images_ = &images; }

  void LineFinished(int done, int total, int written, const qrtext::EncodedContent &content,
                    bool fileWritten) override {
    if (done != total && !pace_.Due()) return;
    view_.SetText(resources::control::kWrittenCount, std::to_string(written));
    view_.SetWidth(resources::control::kProgressBar, ProgressBarWidth(done, total));
    view_.SetText(resources::control::kPercent,
                  PercentText(view_.Width(resources::control::kProgressBar)));
    // Only a line just written is shown, drawn here as the engine drew its
    // file (or as the writer in process drew it): a refused line may name a
    // file that holds another image.
    std::string preview;
    if (fileWritten)
      preview = images_ ? images_->LastBitmap() : symbols_.BitmapFile(content, recipe_);
    view_.SetPicture(resources::control::kPreview, preview);
    view_.Repaint();
    // Between lines, at the same pace: the window answers clicks, moves and
    // a close while the batch runs (the logic ignores clicks meanwhile).
    // Not after the last line: a click that comes once the counter shows
    // every line waits for the window's own loop and starts a new batch.
    if (done != total && !view_.ProcessPendingInput()) closing_ = true;
  }

  bool StopRequested() override { return closing_; }

 private:
  MainWindowView &view_;
  BatchSymbols &symbols_;
  const batch::BatchRecipe &recipe_;
  RefreshPace pace_;
  WrittenImages *images_ = nullptr;
  bool closing_ = false;
};

// Clears the running flag however the batch ends.
class RunningFlag {
 public:
  explicit RunningFlag(bool &flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag &) = delete;
  RunningFlag &operator=(const RunningFlag &) = delete;

 private:
  bool &flag_;
};

// The batch runs on the window's thread and ignores clicks while it runs:
// nothing changes the settings meanwhile, so they are read once.
batch::BatchRecipe RecipeOfControls(MainWindowView &view) {
  batch::BatchRecipe recipe;
  recipe.version = view.SelectedIndex(resources::control::kVersionList);
  recipe.level = view.SelectedIndex(resources::control::kLevelList);
  recipe.width = IntegerOfText(view.Text(resources::control::kBatchWidth));
  recipe.height = IntegerOfText(view.Text(resources::control::kBatchHeight));
  return recipe;
}

}  // namespace

void MainWindowLogic::OnBatchClicked() {
  const std::string folder = view_.Text(resources::control::kDestination);
  const std::vector<std::string> lines = SplitLines(view_.Text(resources::control::kBatchInput));
  if (lines.empty()) return;
  // An empty folder would send every image to the root of the drive.
  if (folder.empty()) {
    view_.ShowMessage(text::kMessageCaption, text::kNoDestination);
    return;
  }
  // The whole path is made first; a folder that cannot be made fails each
  // line with the system's reason.
  if (!files_.IsDirectory(folder)) files_.CreateDirectories(folder);
  // What a killed batch (of this program or qrbatch) left in the folder.
  files_.RemoveStaleTemporaries(folder);
  const batch::BatchRecipe recipe = RecipeOfControls(view_);
  BatchTarget target;
  target.folder = folder;
  target.settings = BatchSettingsOf(LoadOptions(settings_), recipe);
  WindowBatchObserver observer(view_, symbols_, recipe, clock_);
  BatchOutcome outcome;
  {
    RunningFlag running(batchRunning_);
    outcome = RunBatch(engine_, symbols_, files_, recipe, lines, target, observer);
  }
  // A closed window takes no message box.
  if (observer.StopRequested() || outcome.report.failures.empty()) return;
  // The full report goes beside the images: the box lists only a few lines.
  const bool endsInSeparator = folder.back() == '\\' || folder.back() == '/';
  const std::string reportPath = folder + (endsInSeparator ? "" : "\\") + text::kReportFileName;
  const bool reportWritten = files_.WriteFile(reportPath, outcome.reportCsv);
  ReportFailures(outcome.report,
                 (reportWritten ? text::kReportWritten : text::kReportNotWritten) + reportPath);
}

void MainWindowLogic::ReportFailures(const batch::BatchReport &report,
                                     const std::string &reportNote) {
  std::string message =
      text::kFailedLinesHead + std::to_string(report.failures.size()) + text::kFailedLinesTail;
  for (size_t i = 0; i < report.failures.size() && i < kListedFailures; ++i) {
    const batch::LineFailure &failure = report.failures[i];
    message += "\r\n" + (text::kLineNumberHead + std::to_string(failure.lineNumber)) +
               text::kLineNumberTail + " \"" +
               batch::DisplayLine(failure.line, batch::ReportEncoding::kUtf8) +
               "\": " + batch::FailureText(failure, batch::kWindowFailureTexts);
  }
  if (report.failures.size() > kListedFailures) {
    message +=
        "\r\n" +
        (text::kMoreFailedLinesHead + std::to_string(report.failures.size() - kListedFailures)) +
        text::kMoreFailedLinesTail;
  }
  message += "\r\n\r\n" + reportNote;
  view_.ShowMessage(text::kMessageCaption, message);
}

}  // namespace qrapp
