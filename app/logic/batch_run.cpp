#include "batch_run.h"

#include <algorithm>
#include <utility>

#include "batch_file_name.h"
#include "batch_names.h"
#include "image_fit.h"
#include "line_parts.h"
#include "symbol_capacity.h"

namespace qrapp {

namespace {

LineFault FaultOfName(NameFault fault) {
  return fault == NameFault::kOutsideFolder ? LineFault::kOutsideFolder
                                            : LineFault::kInvalidName;
}

// Everything that can be decided before writing, in this order: the name,
// the content's length, the symbol's size, the names written before. A
// line claims its name only when the earlier checks let it through.
LineFault CheckLine(EngineApi &engine, const LineParts &parts, const BatchFileName &name,
                    const SymbolRecipe &recipe, int lineNumber, BatchNames &names,
                    LineFailure &failure) {
  if (name.fault != NameFault::kNone) return FaultOfName(name.fault);
  if (!FitsLargestSymbol(parts.content, recipe.level)) return LineFault::kTooLong;
  int symbolWidth = 0, symbolHeight = 0;
  engine.QRGetActualSize(symbolWidth, symbolHeight);
  const int symbolPixels = std::max(symbolWidth, symbolHeight);
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  if (!SymbolFitsImage(symbolPixels, image.width, image.height)) {
    failure.symbolPixels = symbolPixels;
    failure.width = image.width;
    failure.height = image.height;
    return LineFault::kTooLarge;
  }
  failure.takenBy = names.Claim(name.path, parts.content, lineNumber);
  return failure.takenBy != 0 ? LineFault::kNameTaken : LineFault::kNone;
}

}  // namespace

BatchReport RunBatch(EngineApi &engine, const std::vector<std::string> &lines,
                     const std::string &folder, char separator, BatchObserver &observer) {
  BatchReport report;
  report.total = static_cast<int>(lines.size());
  BatchNames names;
  for (int done = 1; done <= report.total; ++done) {
    const std::string &line = lines[done - 1];
    const LineParts parts = SplitNameAndContent(line);
    const SymbolRecipe recipe = observer.RecipeForLine();
    ApplyRecipe(engine, parts.content, recipe);

    const BatchFileName name = MakeBatchFileName(folder, parts.name, separator);
    LineFailure failure;
    failure.fault = CheckLine(engine, parts, name, recipe, done, names, failure);
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
