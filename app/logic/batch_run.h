// The window's batch loop over the engine's exports (the line checks it
// shares with qrbatch are in line_check.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch_images.h"
#include "batch_recipe.h"
#include "batch_symbols.h"
#include "content_encoding.h"
#include "engine_exports.h"
#include "file_system.h"
#include "line_check.h"
#include "line_record.h"
#include "safe_file_name.h"
#include "window_options.h"

namespace qrapp {

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // After each line; `content` is what the line encodes (empty bytes when
  // the encoding cannot express it), and its file was written only when
  // `fileWritten`.
  virtual void LineFinished(int done, int total, int written, const qrtext::EncodedContent &content,
                            bool fileWritten) = 0;
  // Before the first line when the batch draws its images in process:
  // `images` holds the image just written, for the preview.
  virtual void DrawsInProcess(WrittenImages &images) { (void)images; }
  // Asked after each line: true ends the batch there (the window closes).
  virtual bool StopRequested() { return false; }
};

// Where and how the batch writes.
struct BatchTarget {
  std::string folder;  // UTF-8
  char separator = '\\';
  ContentChoice encoding;
  ImageChoice images;    // the default: the DLL's bitmap files
  RecordChoice records;  // names and escapes
  // How the file system counts a name's length, for safe names.
  NameUnits nameUnits = NameUnits::kUtf16Units;
};

// What the batch did, beside the failures: every line's row of the report
// file (report_csv.h), and whether it was stopped before its last line.
struct BatchOutcome {
  BatchReport report;
  std::string reportCsv;  // ReportCsvStart and one row per line run
  bool stopped = false;
};

// One image per UTF-8 line into the target folder; never stops on a failed
// line. A line is split at its TABs into name, content and caption columns
// (a fourth column fails the line; the window draws no caption), its
// content unescaped when the target asks for escapes, its name taken as
// the target's names say; then it is
// refused for a content the encoding cannot express, its name, its length,
// a symbol larger than the image or a name this batch wrote with other
// content, in this order, before anything is written. The engine gets the
// recipe once, with the first line's message; later lines send only their
// message and the file. A content with an ECI designator is drawn by
// `symbols` and written through `files` instead, as the engine's exports
// carry no designator. `symbols` measures each symbol for the fit check,
// so the engine encodes each line once. Images other than the DLL's bitmap
// (target.images) are drawn and checked in process (BatchImages) and written
// through `files`. Label sheets go to RunLabelSheetBatch (label_sheet_batch.h).
BatchOutcome RunBatch(EngineExports &engine, BatchSymbols &symbols, FileSystem &files,
                      const BatchRecipe &recipe, const std::vector<std::string> &lines,
                      const BatchTarget &target, BatchObserver &observer);

// The line's record: its TAB columns, the content unescaped when the
// choice asks. False with the fault (and an escape's text in
// `failure.reason`) when it has none.
bool RecordOfLine(const std::string &line, const RecordChoice &choice, LineRecord &record,
                  LineFailure &failure);
// The caption's text for the line (UTF-8): its name, its content (as
// unescaped) or its caption column.
std::string CaptionOf(CaptionChoice choice, const LineRecord &record);

// The file name of line `lineNumber` of `lineCount` named by number: zero-padded
// to the digits of the count ("07" of 12).
std::string NumberedName(int lineNumber, size_t lineCount);

}  // namespace qrapp
