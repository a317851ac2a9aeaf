// A list file as people keep them (Notepad, Excel's "Unicode text" or CSV)
// read into the batch input box: one line per code, name TAB content TAB
// caption. The file is decoded as qrbatch's input is (input_decoding.h,
// `auto`) and split into records by the same rules (TAB columns or CSV,
// a header row, picked columns).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "line_record.h"
#include "window_options.h"

namespace qrapp {

enum class ImportSeparator { kAuto, kTab, kCsv };  // kAuto: CSV for a ".csv" file

struct ImportChoice {
  ImportSeparator separator = ImportSeparator::kAuto;
  bool header = false;          // the first record names the columns: skipped
  batch::ColumnChoice columns;  // not picked: by the number of columns
  bool noCaption = false;       // not picked: a third column is left out
  bool escapes = false;         // the batch reads escapes in the content already
};

// The options' import rows, and their escapes row.
ImportChoice ImportChoiceOf(const WindowOptions &options);

struct ImportResult {
  std::string text;      // the input box's lines, joined by CR LF
  int lines = 0;         // lines in `text`
  std::string encoding;  // the file's encoding as found: "UTF-8", "UTF-16LE", "GBK"...
  bool csv = false;      // read as CSV
  // Contents that held a line break or a TAB, written with escapes (\n,
  // \r, \t): the batch must read escapes for them to mean their characters.
  int escapedContents = 0;
  bool escapesNeeded = false;       // escapedContents > 0 and the choice had no escapes
  std::vector<int> undecodable;     // rows (first line numbers) that are no text: left out
  std::vector<int> missingColumns;  // rows without a picked column: left out
};

// Reads `bytes`, the file `fileName` (its extension decides kAuto). A
// record with more columns than name, content and caption (none picked)
// keeps them all, so the batch reports it. When any content needs escapes,
// every content is escaped, backslashes too, unless the choice has escapes
// on already: then the other backslashes are the file's own escapes and
// are kept. A line break or TAB in a name or caption becomes a blank.
ImportResult ImportList(std::string_view bytes, std::string_view fileName,
                        const ImportChoice &choice);

// What the import did, for the user (UTF-8).
std::string ImportSummary(const ImportResult &result);

}  // namespace qrapp
