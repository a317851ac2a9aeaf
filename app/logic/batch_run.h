// The batch loop shared by the window and the command-line tool.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch_file_name.h"
#include "batch_names.h"
#include "batch_symbols.h"
#include "engine_exports.h"
#include "image_fit.h"
#include "symbol_recipe.h"

namespace qrapp {

enum class LineFault {
  kNone,
  kTooLong,        // the content does not fit version 40 at the level
  kOutsideFolder,  // the name leads outside the destination folder
  kInvalidName,    // the name is no valid Windows file name
  kTooLarge,       // the symbol is wider or taller than the image
  kNameTaken,      // an earlier line of the batch wrote this name with other content
  kNotWritten,     // the file could not be written
};

struct LineFailure {
  int lineNumber = 0;         // 1-based
  std::string line;           // the whole line, GBK, as split
  LineFault fault = LineFault::kNone;
  int symbolPixels = 0;       // kTooLarge: the symbol's side in pixels
  int width = 0, height = 0;  // kTooLarge: the image size
  int takenBy = 0;            // kNameTaken: the line that holds the name
  std::string reason;         // kNotWritten: the system's reason text, may be empty
};

struct BatchReport {
  int total = 0;
  int written = 0;
  std::vector<LineFailure> failures;  // every line that produced no file
};

// The checks of one line that need no file system, in the order both
// batches apply them: its name, its length, a symbol larger than the image,
// a name this batch wrote with other content. `symbolPixels` gives the
// symbol's side in pixels for the content (0 when no symbol holds it); it
// is asked only for a valid name. A line claims its name in `names` only
// when the earlier checks let it through. Fills the failure's details and
// returns its fault (kNone: the line is to be written).
LineFault CheckLine(const BatchFileName &name, const std::string &content, ImageSize image, int lineNumber,
                    const std::function<int()> &symbolPixels, BatchNames &names, LineFailure &failure);

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // After each line; `content` is what the line encodes, and its file was
  // written only when `fileWritten`.
  virtual void LineFinished(int done, int total, int written, const std::string &content,
                            bool fileWritten) = 0;
};

// One image per line into `folder`; never stops on a failed line. A line
// is split at its first TAB into name and content, then refused for its
// name, its length, a symbol larger than the image or a name this batch
// wrote with other content, in this order, before anything is written.
// The engine gets the recipe once, with the first line's message; later
// lines send only their message and the file. `symbols` measures each
// symbol for the fit check, so the engine encodes each line once.
BatchReport RunBatch(EngineExports &engine, BatchSymbols &symbols, const SymbolRecipe &recipe,
                     const std::vector<std::string> &lines, const std::string &folder,
                     char separator, BatchObserver &observer);

}  // namespace qrapp
