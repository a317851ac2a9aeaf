#include "batch_run.h"

#include <utility>

#include "line_parts.h"

namespace qrapp {

namespace {

LineFault FaultOfName(NameFault fault) {
  return fault == NameFault::kOutsideFolder ? LineFault::kOutsideFolder
                                            : LineFault::kInvalidName;
}

}  // namespace

LineFault CheckLine(const BatchFileName &name, const std::string &content, ImageSize image, int lineNumber,
                    const std::function<int()> &symbolPixels, BatchNames &names, LineFailure &failure) {
  if (name.fault != NameFault::kNone) return FaultOfName(name.fault);
  const int pixels = symbolPixels();
  if (pixels == 0) return LineFault::kTooLong;
  if (!SymbolFitsImage(pixels, image.width, image.height)) {
    failure.symbolPixels = pixels;
    failure.width = image.width;
    failure.height = image.height;
    return LineFault::kTooLarge;
  }
  failure.takenBy = names.Claim(name.path, content, lineNumber);
  return failure.takenBy != 0 ? LineFault::kNameTaken : LineFault::kNone;
}

BatchReport RunBatch(EngineExports &engine, BatchSymbols &symbols, const SymbolRecipe &recipe,
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
