#include "batch_run.h"

#include <utility>

#include "line_parts.h"
#include "symbol_recipe.h"

namespace qrapp {

BatchReport RunBatch(EngineExports &engine, BatchSymbols &symbols, const BatchRecipe &recipe,
                     const std::vector<std::string> &lines, const std::string &folder,
                     char separator, BatchObserver &observer) {
  BatchReport report;
  report.total = static_cast<int>(lines.size());
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  BatchNames names;
  for (int done = 1; done <= report.total; ++done) {
    const std::string &line = lines[done - 1];
    const LineParts parts = SplitNameAndContent(line);
    // Every line's message goes to the engine, written or not: after the
    // batch it holds the last line, as 保存's side file shows.
    if (done == 1) {
      ApplyRecipe(engine, parts.content, recipe);
    } else {
      engine.QRSetMessage(parts.content);
    }

    const BatchFileName name = MakeBatchFileName(folder, parts.name, separator);
    const auto symbolPixels = [&] { return symbols.SymbolPixels(parts.content, recipe); };
    LineFailure failure;
    failure.fault = CheckLine(name, parts.content, image, done, symbolPixels, names, failure);
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
    observer.LineFinished(done, report.total, report.written, parts.content, written);
  }
  return report;
}

}  // namespace qrapp
