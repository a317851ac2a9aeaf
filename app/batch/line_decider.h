// What becomes of one line, decided in input order before anything is
// written, for the window's batch and qrbatch alike: its record, caption,
// content bytes, file name, the checks that need no file system, and the
// batch's claim on the name. What is the front end's own (the engine's
// calls, workers, the report's form) stays with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "batch_names.h"
#include "batch_settings.h"
#include "batch_symbol.h"
#include "content_encoding.h"
#include "image_fit.h"
#include "input_decoding.h"
#include "line_check.h"
#include "line_record.h"

namespace batch {

// A record of the input: one line's TAB columns, or a CSV record.
struct InputRecord {
  int lineNumber = 0;               // its first line
  std::string text;                 // as read, its lines joined by LF: for the report
  std::vector<std::string> fields;  // its columns
  bool cut = false;                 // a line of it was cut by the reader (too long)
  bool unclosed = false;            // a quoted field never closed
};

// The record of one line of UTF-8 text split at its TABs.
InputRecord RecordOfLine(int lineNumber, std::string line);

// A decided line. Without a failure a writer writes `content` as `path`
// (or as a label); it carries what the checks learned, so no writer works
// it out again.
struct LineJob {
  int lineNumber = 0;
  std::string line;  // as read (as text when it decodes), for the report
  std::string path;  // empty for a label
  // The symbol's bytes, in the content encoding, and the ECI designator it
  // is announced with (0: none). Filled whenever the content could be
  // encoded, even for a line that then failed a check.
  std::string content;
  int eciDesignator = 0;
  uint64_t nameKey = 0;  // BatchNames::NameKey of the path: equal for every spelling of the file
  qr::SymbolPlan plan;   // the content's symbol (not planned when measured by a SymbolMeasure)
  // The picture the fit check chose: module side and the margin it leaves.
  int modulePixels = 0;
  int quietZoneModules = 0;
  bool narrowQuietZone = false;  // below the standard's and the batch checks it: a warning
  // The caption under the code, cleaned once (qrcaption::CaptionText);
  // the writer lays it out in the band the fit check kept for it.
  std::string caption;
};

struct LineDecision {
  LineJob job;
  std::unique_ptr<LineFailure> failure;  // null: the line is to be written
  // The file name (with its extension), or a label's name; empty when the
  // line failed before it had one.
  std::string name;
};

// Measures a symbol for the fit check in place of planning it in process
// (the window's engine-drawn bitmaps, whose exports plan by their own rules).
class SymbolMeasure {
 public:
  virtual ~SymbolMeasure() = default;
  // The side in pixels of the symbol holding `content`; 0: none holds it.
  virtual int SymbolPixels(const qrtext::EncodedContent &content) = 0;
};

class LineDecider {
 public:
  // `lineCount` sizes the numbers of FileNames::kNumber (ignored
  // otherwise). Files go to `folder`, whose separator is `separator`.
  LineDecider(const BatchSettings &settings, const std::string &folder, char separator,
              long long lineCount);

  // Decides `record`, in input order. A line cut by the reader fails as
  // too long; memory running short fails the line, never the batch.
  LineDecision Decide(InputRecord record);

  void SetColumns(const ColumnChoice &choice) { columns_ = choice; }
  // The reader's decoder, whose line stage turns lines into text (the
  // input encoding is known only as the input is read). Without one, lines
  // are taken as UTF-8.
  void UseInput(const qrtext::InputDecoder *decoder) { input_ = decoder; }
  void MeasureWith(SymbolMeasure *measure) { measure_ = measure; }

 private:
  void DecideLine(InputRecord &record, LineDecision &decision);
  LineFailure RecordFault(InputRecord &record, LineRecord &parts) const;
  LineFault ColumnsFault(InputRecord &record, LineRecord &parts) const;
  std::string NameOf(const LineRecord &parts, int lineNumber) const;
  LineFault EncodeContent(std::string &content, int &eciDesignator) const;
  std::string CaptionOf(const LineRecord &parts) const;
  // The line as the report shows it: its text, or its bytes when it has none.
  std::string Shown(std::string line) const;
  const qrtext::InputDecoder &Input() const { return input_ ? *input_ : utf8Lines_; }
  std::string NumberName(int lineNumber) const;
  LineFault DecideImage(bool cut, LineRecord &parts, LineDecision &decision);
  LineFault DecideLabel(bool cut, LineDecision &decision) const;

  const BatchSettings &settings_;
  std::string folder_;
  qr::SymbolSettings symbolSettings_;
  int modulePixels_;
  char separator_;
  int digits_ = 1;
  int captionBand_;
  CaptionSource caption_;
  BatchNames names_;
  ColumnChoice columns_;
  const qrtext::InputDecoder *input_ = nullptr;
  qrtext::InputDecoder utf8Lines_{qrtext::InputEncoding::kUtf8};
  SymbolMeasure *measure_ = nullptr;
};

}  // namespace batch
