// The batch's report in input order, whatever order the workers finish
// in: every line is begun by the reader and settled once (by the reader
// when a check failed, by a worker after writing); failures are printed as
// soon as every earlier line is settled. At most kWindow lines are between
// the first unsettled one and the last begun, which bounds memory. Line
// numbers may skip lines that are no entries of their own (a header row,
// the later lines of a CSV record).
#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "line_check.h"
#include "line_display.h"
#include "worker_threads.h"

namespace qrbatch {

class OrderedReport {
 public:
  static constexpr int kWindow = 4096;

  // `progress`: a terminal to show progress on, or null. `knownTotal`: the
  // number of lines when known up front, else 0. `encoding`: the console's,
  // for the lines shown.
  OrderedReport(std::FILE *err, std::FILE *progress, long long knownTotal,
                batch::ReportEncoding encoding);

  // Before line `lineNumber` (1, 2, ...) is decided; waits while the window
  // is full.
  void Begin(int lineNumber);
  // Writes a CSV row (report_csv.h) per line to `rows` as the lines are
  // reported in order, after the file's start; before the first Begin.
  void WriteRowsTo(std::FILE *rows);
  // The name a begun line's file was given (empty when it had none), for
  // its row.
  void Name(int lineNumber, std::string name);
  // The line's outcome: written (no failure) or not.
  void Settle(int lineNumber, std::unique_ptr<batch::LineFailure> failure);
  // A warning for a begun line, printed in its place when it is written
  // (the line still counts as written): "line N: warning: WORDS: LINE".
  void Warn(int lineNumber, std::string words, const std::string &line);
  // After the last line, or after a stop with lines left unsettled (they
  // were discarded): prints what is not printed yet.
  void Close();

  int begun() const { return begun_; }
  int settled() const { return settled_; }
  int failures() const { return failures_; }
  int warnings() const { return warnings_; }

 private:
  struct Slot {
    bool settled = false;
    bool skipped = false;  // a line that is no entry
    std::unique_ptr<batch::LineFailure> failure;
    std::string name;          // only with rows_
    std::string warning;       // printed when the line is written
    std::string warningWords;  // the same in the line's report row
  };

  void Print(const batch::LineFailure &failure);
  // Counts and reports the settled slot of line `lineNumber`.
  void Report(int lineNumber, Slot &slot);
  void ShowProgress(bool last);

  std::FILE *err_;
  std::FILE *progress_;
  std::FILE *rows_ = nullptr;
  long long knownTotal_;
  batch::ReportEncoding encoding_;
  qrplatform::Mutex mutex_;
  qrplatform::Condition advanced_;
  std::vector<Slot> slots_;
  int next_ = 1;  // first line not printed
  int begun_ = 0;
  int settled_ = 0;
  int written_ = 0;
  int failures_ = 0;
  int warnings_ = 0;
  bool progressShown_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
};

}  // namespace qrbatch
