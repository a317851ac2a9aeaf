// What becomes of one line, decided in input order before anything is
// written: its file name, the checks that need no file system, and the
// batch's claim on the name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "batch_names.h"
#include "batch_symbol.h"
#include "caption_layout.h"
#include "caption_painter.h"
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
  // The caption under the code (--caption), as text and as laid out in its
  // band by the fit check.
  std::string caption;
  qrcaption::CaptionLayout captionLayout;
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
  // Captions: the band under the symbol and the stack measuring them.
  int captionBand_ = 0;
  std::unique_ptr<qrcaption::CaptionPainter> captions_;
};

}  // namespace qrbatch
