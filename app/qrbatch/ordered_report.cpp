#include "ordered_report.h"

#include <string>

#include "failure_text.h"
#include "line_display.h"
#include "report_csv.h"
#include "terminal.h"

namespace qrbatch {

OrderedReport::OrderedReport(std::FILE *err, std::FILE *progress, long long knownTotal,
                             batch::ReportEncoding encoding)
    : err_(err),
      progress_(progress),
      knownTotal_(knownTotal),
      encoding_(encoding),
      slots_(kWindow) {}

void OrderedReport::Begin(int lineNumber) {
  qrplatform::MutexLock lock(mutex_);
  while (lineNumber - next_ >= kWindow && next_ <= begun_) advanced_.Wait(mutex_);
  if (next_ > begun_) {
    next_ = lineNumber;  // every begun line is reported: skip to this one
  } else {
    for (int skipped = begun_ + 1; skipped < lineNumber; ++skipped) {
      Slot &slot = slots_[static_cast<size_t>(skipped % kWindow)];
      slot.settled = true;
      slot.skipped = true;
    }
  }
  begun_ = lineNumber;
}

void OrderedReport::WriteRowsTo(std::FILE *rows) {
  rows_ = rows;
  const std::string start = batch::ReportCsvStart();
  std::fwrite(start.data(), 1, start.size(), rows_);
}

void OrderedReport::Name(int lineNumber, std::string name) {
  if (!rows_) return;
  qrplatform::MutexLock lock(mutex_);
  slots_[static_cast<size_t>(lineNumber % kWindow)].name = std::move(name);
}

void OrderedReport::Report(int lineNumber, Slot &slot) {
  if (slot.skipped) return;
  if (slot.failure) {
    Print(*slot.failure);
    ++failures_;
  } else {
    ++written_;
    if (!slot.warning.empty()) {
      if (progressShown_) std::fputs("\r\033[K", progress_);
      progressShown_ = false;
      std::fputs(slot.warning.c_str(), err_);
      ++warnings_;
    }
  }
  if (!rows_) return;
  // A written line's warning stands in its row's reason.
  const std::string reason = slot.failure
                                 ? batch::FailureText(*slot.failure, batch::kCommandFailureTexts)
                                 : slot.warningWords;
  const std::string row = batch::ReportCsvRow(lineNumber, slot.name, !slot.failure, reason);
  std::fwrite(row.data(), 1, row.size(), rows_);
}

void OrderedReport::Settle(int lineNumber, std::unique_ptr<batch::LineFailure> failure) {
  qrplatform::MutexLock lock(mutex_);
  Slot &slot = slots_[static_cast<size_t>(lineNumber % kWindow)];
  slot.settled = true;
  slot.failure = std::move(failure);
  ++settled_;
  if (lineNumber != next_) return;
  while (next_ <= begun_) {
    Slot &first = slots_[static_cast<size_t>(next_ % kWindow)];
    if (!first.settled) break;
    Report(next_, first);
    first = Slot();
    ++next_;
  }
  advanced_.WakeAll();
  ShowProgress(false);
}

void OrderedReport::Close() {
  qrplatform::MutexLock lock(mutex_);
  for (; next_ <= begun_; ++next_) {
    Slot &slot = slots_[static_cast<size_t>(next_ % kWindow)];
    if (slot.settled) Report(next_, slot);  // else discarded after a stop
    slot = Slot();
  }
  ShowProgress(true);
}

void OrderedReport::Warn(int lineNumber, std::string words, const std::string &line) {
  std::string text = "qrbatch: line " + std::to_string(lineNumber) + ": warning: " + words + ": " +
                     batch::DisplayLine(line, encoding_) + "\n";
  qrplatform::MutexLock lock(mutex_);
  Slot &slot = slots_[static_cast<size_t>(lineNumber % kWindow)];
  slot.warning = std::move(text);
  slot.warningWords = "warning: " + std::move(words);
}

void OrderedReport::Print(const batch::LineFailure &failure) {
  if (progressShown_) std::fputs("\r\033[K", progress_);
  progressShown_ = false;
  // "line N: REASON: LINE", the line shown escaped and cut.
  const std::string reason = batch::FailureText(failure, batch::kCommandFailureTexts);
  qrplatform::PrintText(err_, "qrbatch: line %d: %s: %s\n", failure.lineNumber, reason.c_str(),
                        batch::DisplayLine(failure.line, encoding_).c_str());
}

void OrderedReport::ShowProgress(bool last) {
  if (!progress_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!last && now - lastProgress_ < std::chrono::milliseconds(100)) return;
  if (last && !progressShown_ && settled_ == 0) return;
  lastProgress_ = now;
  const std::string total = knownTotal_ > 0 ? "/" + std::to_string(knownTotal_) : std::string();
  std::fprintf(progress_, "\r%d%s lines, %d written", next_ - 1, total.c_str(), written_);
  if (last) std::fputc('\n', progress_);
  std::fflush(progress_);
  progressShown_ = !last;
}

}  // namespace qrbatch
