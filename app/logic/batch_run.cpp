#include "batch_run.h"

#include "batch_file_name.h"
#include "symbol_capacity.h"

namespace qrapp {

namespace {

LineFault FaultOfName(NameFault fault) {
  return fault == NameFault::kOutsideFolder ? LineFault::kOutsideFolder
                                            : LineFault::kInvalidName;
}

}  // namespace

BatchReport RunBatch(EngineApi &engine, const std::vector<std::string> &lines,
                     const std::string &folder, char separator, BatchObserver &observer) {
  BatchReport report;
  report.total = static_cast<int>(lines.size());
  for (int done = 1; done <= report.total; ++done) {
    const std::string &line = lines[done - 1];
    const SymbolRecipe recipe = observer.RecipeForLine();
    ApplyRecipe(engine, line, recipe);

    const BatchFileName name = MakeBatchFileName(folder, line, separator);
    LineFault fault = LineFault::kNone;
    if (name.fault != NameFault::kNone) {
      fault = FaultOfName(name.fault);
    } else if (!engine.QRSaveAsBMP(name.path)) {
      fault = FitsLargestSymbol(line, recipe.level) ? LineFault::kNotWritten
                                                    : LineFault::kTooLong;
    }
    if (fault == LineFault::kNone) {
      ++report.written;
    } else {
      LineFailure failure;
      failure.lineNumber = done;
      failure.line = line;
      failure.fault = fault;
      report.failures.push_back(failure);
    }
    observer.LineFinished(done, report.total, report.written, name.path,
                          fault == LineFault::kNone);
  }
  return report;
}

}  // namespace qrapp
