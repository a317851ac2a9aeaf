// The window's batch loop over the engine's exports (the line checks it
// shares with qrbatch are in line_check.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch_recipe.h"
#include "engine_api.h"
#include "line_check.h"

namespace qrapp {

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // Settings for the next line, read anew for every line.
  virtual BatchRecipe RecipeForLine() = 0;
  // After each line; `path` is empty when the name was refused, and names
  // a file this line wrote only when `fileWritten`.
  virtual void LineFinished(int done, int total, int written, const std::string &path,
                            bool fileWritten) = 0;
};

// One image per line into `folder`; never stops on a failed line. A line
// is split at its first TAB into name and content, then refused for its
// name, its length, a symbol larger than the image or a name this batch
// wrote with other content, in this order, before anything is written.
BatchReport RunBatch(EngineApi &engine, const std::vector<std::string> &lines,
                     const std::string &folder, char separator, BatchObserver &observer);

}  // namespace qrapp
