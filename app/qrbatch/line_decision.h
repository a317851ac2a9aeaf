// What becomes of one line, decided in input order before anything is
// written: its file name, the checks that need no file system, and the
// batch's claim on the name.
#pragma once

#include <cstdint>
#include <string>

#include "batch_names.h"
#include "batch_symbol.h"
#include "input_decoding.h"
#include "line_check.h"
#include "line_parts.h"
#include "options.h"

namespace qrbatch {

// A line that passed every check: a worker writes `content` as `path`.
// It carries what the checks learned, so no worker works it out again.
struct LineJob {
  int lineNumber = 0;
  std::string line;  // as read (as text when it decodes), for the report
  std::string path;
  std::string content;   // the symbol's bytes, in the content encoding
  uint64_t nameKey = 0;  // BatchNames::NameKey of the path: equal for every spelling of the file
  qr::SymbolPlan plan;   // the content's symbol, planned by the fit check
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

  // The reader's decoder, whose line stage turns lines into text (the
  // input encoding is known only as the input is read). Without one, lines
  // are taken as UTF-8.
  void UseInput(const qrtext::InputDecoder *decoder) { input_ = decoder; }

 private:
  // The name part as text and the content part as the symbol's bytes;
  // kNone, or why the line cannot be written.
  qrapp::LineFault EncodeParts(qrapp::LineParts &parts, int &eciDesignator) const;
  // The line as the report shows it: its text, or its bytes when it has none.
  std::string Shown(std::string line) const;
  bool DecideLine(int lineNumber, std::string &line, LineJob &job, qrapp::LineFailure &failure);
  std::string NumberName(int lineNumber) const;

  const Options &options_;
  qr::SymbolSettings settings_;
  int modulePixels_;
  char separator_;
  int digits_ = 1;
  qrapp::BatchNames names_;
  const qrtext::InputDecoder *input_ = nullptr;
  qrtext::InputDecoder utf8Lines_{qrtext::InputEncoding::kUtf8};
};

}  // namespace qrbatch
