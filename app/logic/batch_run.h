// The window's batch loop over the engine's exports (the line checks it
// shares with qrbatch are in line_check.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch_images.h"
#include "batch_recipe.h"
#include "batch_settings.h"
#include "batch_symbols.h"
#include "content_encoding.h"
#include "engine_exports.h"
#include "file_system.h"
#include "line_check.h"
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
  batch::BatchSettings settings;  // BatchSettingsOf the options and the controls
};

// What the batch did, beside the failures: every line's row of the report
// file (report_csv.h), and whether it was stopped before its last line.
struct BatchOutcome {
  batch::BatchReport report;
  std::string reportCsv;  // ReportCsvStart and one row per line run
  bool stopped = false;
};

// One image per UTF-8 line into the target folder; never stops on a failed
// line. Each line is decided by the shared LineDecider (line_decider.h):
// split at its TABs into name, content and caption columns, refused for
// its record, a content the encoding cannot express, its name, its length,
// a symbol larger than the image or a name this batch wrote with other
// content, in this order, before anything is written. The engine gets
// `recipe` (the controls' own) once, with the first line's message; later
// lines send only their message and the file. A content with an ECI
// designator is drawn by `symbols` and written through `files` instead, as
// the engine's exports carry no designator. `symbols` measures each symbol
// for the fit check, so the engine encodes each line once. Images other
// than the DLL's bitmap (WrittenInProcess) are drawn and checked in process
// (BatchImages) and written through `files`. Label sheets go to
// RunLabelSheetBatch (label_sheet_batch.h).
BatchOutcome RunBatch(EngineExports &engine, BatchSymbols &symbols, qrplatform::FileSystem &files,
                      const batch::BatchRecipe &recipe, const std::vector<std::string> &lines,
                      const BatchTarget &target, BatchObserver &observer);

// The engine's part of every line, written or not: the recipe with the
// first line's message, then each later line's message alone. After the
// batch the engine holds the last line, as 保存's side file shows.
void SendLineToEngine(EngineExports &engine, int lineNumber, const std::string &content,
                      const batch::BatchRecipe &recipe);

}  // namespace qrapp
