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
#include "line_record.h"
#include "options.h"
#include "record_lines.h"

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
  // The picture the fit check chose: module side and the margin it leaves.
  int modulePixels = 0;
  int quietZoneModules = 0;
  bool narrowQuietZone = false;  // below the standard's and the batch checks it: a warning
  // The caption under the code (--caption), as text; the worker lays it out
  // in the band the fit check kept for it.
  std::string caption;
};

class LineDecider {
 public:
  // `lineCount` sizes the numbers of FileNames::kNumber (ignored otherwise).
  // `modulePixels`: the recipe's fixed module (unless it is automatic).
  LineDecider(const Options &options, int modulePixels, char separator, long long lineCount);

  // True with `job` filled when the line is to be written; false with
  // `failure` filled when it fails a check (nothing is written for it). A
  // line cut by the reader (longer than qrplatform::kLongestLine) fails as
  // too long; memory running short fails the line, never the batch.
  bool Decide(int lineNumber, std::string line, LineJob &job, qrapp::LineFailure &failure);

  // The same for a record of columns (record_lines.h), picked by `choice`
  // (set once the header row is known).
  bool Decide(InputRecord record, LineJob &job, qrapp::LineFailure &failure);
  void SetColumns(const qrapp::ColumnChoice &choice) { columns_ = choice; }
  // The file name (with its extension) the last decided line was given,
  // empty when it failed before it had one: for the report file.
  const std::string &lastName() const { return lastName_; }

  // The reader's decoder, whose line stage turns lines into text (the
  // input encoding is known only as the input is read). Without one, lines
  // are taken as UTF-8.
  void UseInput(const qrtext::InputDecoder *decoder) { input_ = decoder; }

  // Label sheets (--format pdf): a line makes a label, not a file. No file
  // name is made, checked or claimed (the job's path stays empty; lastName
  // is the name column), and the label, not an image size, decides whether
  // the code fits: only a content too long for any symbol fails here.
  void DecideForSheets() { sheets_ = true; }

 private:
  bool DecideLine(InputRecord &record, LineJob &job, qrapp::LineFailure &failure);
  bool RecordFails(InputRecord &record, qrapp::LineRecord &parts, qrapp::LineFailure &failure);
  std::string NameOf(const qrapp::LineRecord &parts, int lineNumber) const;
  qrapp::LineFault EncodeContent(std::string &content, int &eciDesignator) const;
  std::string CaptionOf(const qrapp::LineRecord &parts) const;
  // The line as the report shows it: its text, or its bytes when it has none.
  std::string Shown(std::string line) const;
  const qrtext::InputDecoder &Input() const { return input_ ? *input_ : utf8Lines_; }
  std::string NumberName(int lineNumber) const;
  bool DecideLabel(InputRecord &record, qrapp::LineRecord &parts, int eciDesignator,
                   std::string &caption, LineJob &job, qrapp::LineFailure &failure);

  const Options &options_;
  qr::SymbolSettings settings_;
  int modulePixels_;
  char separator_;
  int digits_ = 1;
  qrapp::BatchNames names_;
  qrapp::ColumnChoice columns_;
  std::string lastName_;
  const qrtext::InputDecoder *input_ = nullptr;
  qrtext::InputDecoder utf8Lines_{qrtext::InputEncoding::kUtf8};
  int captionBand_ = 0;  // rows under the symbol kept for captions
  bool sheets_ = false;  // DecideForSheets
};

}  // namespace qrbatch
