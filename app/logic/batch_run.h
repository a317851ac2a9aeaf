// The window's batch loop over the engine's exports (the line checks it
// shares with qrbatch are in line_check.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch_recipe.h"
#include "batch_symbols.h"
#include "engine_exports.h"
#include "line_check.h"

namespace qrapp {

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
BatchReport RunBatch(EngineExports &engine, BatchSymbols &symbols, const BatchRecipe &recipe,
                     const std::vector<std::string> &lines, const std::string &folder,
                     char separator, BatchObserver &observer);

}  // namespace qrapp
