#include "batch_run.h"

#include <algorithm>
#include <utility>

#include "line_parts.h"
#include "symbol_recipe.h"

namespace qrapp {

BatchReport RunBatch(EngineApi &engine, const std::vector<std::string> &lines,
                     const std::string &folder, char separator, BatchObserver &observer) {
  BatchReport report;
  report.total = static_cast<int>(lines.size());
  BatchNames names;
  for (int done = 1; done <= report.total; ++done) {
    const std::string &line = lines[done - 1];
    const LineParts parts = SplitNameAndContent(line);
    const BatchRecipe recipe = observer.RecipeForLine();
    ApplyRecipe(engine, parts.content, recipe);

    const BatchFileName name = MakeBatchFileName(folder, parts.name, separator);
    // The engine measures the symbol with the recipe just sent; 0 when no
    // symbol holds the content.
    const auto symbolPixels = [&engine] {
      int width = 0, height = 0;
      engine.QRGetActualSize(width, height);
      return std::max(width, height);
    };
    LineFailure failure;
    failure.fault = CheckLine(name, parts.content, EngineImageSize(recipe.width, recipe.height), done,
                              symbolPixels, names, failure);
    if (failure.fault == LineFault::kNone && !engine.QRSaveAsBMP(name.path)) {
      failure.fault = LineFault::kNotWritten;
      failure.reason = engine.LastSaveError();
    }
    const bool written = failure.fault == LineFault::kNone;
    if (written) {
      ++report.written;
    } else {
      failure.lineNumber = done;
      failure.line = line;
      report.failures.push_back(std::move(failure));
    }
    observer.LineFinished(done, report.total, report.written, name.path, written);
  }
  return report;
}

}  // namespace qrapp
