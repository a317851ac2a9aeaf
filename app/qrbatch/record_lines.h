// The input's lines as records: one line each with TAB columns, or CSV
// records that may span lines (--csv).
#pragma once

#include <string>
#include <vector>

#include "csv_record.h"
#include "line_decider.h"
#include "line_record.h"
#include "options.h"

namespace qrbatch {

using batch::InputRecord;

class RecordLines {
 public:
  explicit RecordLines(bool csv) : csv_(csv) {}

  // Adds line `lineNumber`; true with `record` filled when a record is
  // complete. A CSV record still open after qrplatform::kLongestLine
  // bytes is handed on as unclosed; the next line starts a new one.
  bool Add(int lineNumber, std::string line, InputRecord &record);
  // At the end of the input: true with the record left open, if any.
  bool Finish(InputRecord &record);

 private:
  void Take(InputRecord &record);

  bool csv_;
  batch::CsvRecord open_;
  InputRecord pending_;
};

// The columns `options` pick, by number or by a name of `header` (the
// first row; empty without --header), or why they cannot be picked (a
// name the header lacks).
struct ColumnPick {
  batch::ColumnChoice choice;
  std::string error;  // empty: picked
};
ColumnPick ChooseColumns(const Options &options, const std::vector<std::string> &header);

}  // namespace qrbatch
