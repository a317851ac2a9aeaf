// What becomes of one line, decided in input order before anything is
// written: its file name, the checks that need no file system, and the
// batch's claim on the name.
#pragma once

#include <cstdint>
#include <string>

#include "batch_names.h"
#include "batch_symbol.h"
#include "line_check.h"
#include "options.h"

namespace qrbatch {

// A line that passed every check: a worker writes `content` as `path`.
// It carries what the checks learned, so no worker works it out again.
struct LineJob {
  int lineNumber = 0;
  std::string line;  // as read, for the report
  std::string path;
  std::string content;
  uint64_t nameKey = 0;  // BatchNames::NameKey of the path: equal for every spelling of the file
  qr::SymbolPlan plan;   // the content's symbol, planned by the fit check
  // The caption under the code (--caption), the line's bytes; the worker
  // lays it out in the band the fit check kept for it.
  std::string caption;
};

class LineDecider {
 public:
  // `lineCount` sizes the numbers of FileNames::kNumber (ignored otherwise).
  LineDecider(const Options &options, int modulePixels, char separator, long long lineCount);

  // True with `job` filled when the line is to be written; false with
  // `failure` filled when it fails a check (nothing is written for it). A
  // line cut by the reader (longer than qrplatform::kLongestLine) fails as
  // too long; memory running short fails the line, never the batch.
  bool Decide(int lineNumber, std::string line, LineJob &job, qrapp::LineFailure &failure);

 private:
  bool DecideLine(int lineNumber, std::string &line, LineJob &job, qrapp::LineFailure &failure);
  std::string NumberName(int lineNumber) const;

  const Options &options_;
  qr::SymbolSettings settings_;
  int modulePixels_;
  char separator_;
  int digits_ = 1;
  qrapp::BatchNames names_;
  int captionBand_ = 0;  // rows under the symbol kept for captions
};

}  // namespace qrbatch
