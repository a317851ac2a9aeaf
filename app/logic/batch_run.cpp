#include "batch_run.h"

#include <memory>
#include <utility>

#include "content_escapes.h"
#include "failure_text.h"
#include "label_sheet_batch.h"
#include "line_record.h"
#include "report_csv.h"
#include "symbol_recipe.h"

namespace qrapp {

namespace {

// Writes the line's file: through the engine's exports, which hold its
// message already, or, for a designator they cannot carry, the same bitmap
// drawn in process. False with the system's reason in `reason`.
bool WriteLineFile(EngineExports &engine, BatchSymbols &symbols, FileSystem &files,
                   const BatchRecipe &recipe, const qrtext::EncodedContent &content,
                   const std::string &path, std::string &reason) {
  if (content.eciDesignator == 0) {
    if (engine.QRSaveAsBMP(path)) return true;
    reason = engine.LastSaveError();
    return false;
  }
  const std::string bitmap = symbols.BitmapFile(content, recipe);
  return !bitmap.empty() && files.WriteFile(path, bitmap);
}

std::string NameOfLine(const LineRecord &record, int lineNumber, size_t lineCount,
                       const BatchTarget &target, const std::string &extension) {
  switch (target.records.names) {
    case NameMode::kNumber: return NumberedName(lineNumber, lineCount);
    case NameMode::kSafe: return SafeFileName(record.name, target.nameUnits, extension.size());
    default: return record.name;
  }
}

}  // namespace

// The caption's text for the line (UTF-8): its name, its content (as
// unescaped) or its caption column.
std::string CaptionOf(CaptionChoice choice, const LineRecord &record) {
  switch (choice) {
    case CaptionChoice::kName: return record.name;
    case CaptionChoice::kContent: return record.content;
    case CaptionChoice::kColumn: return record.caption;
    default: return std::string();
  }
}

// The line's record: its columns, the content unescaped when asked. False
// with the fault (and an escape's text in `failure.reason`) when it has none.
bool RecordOfLine(const std::string &line, const RecordChoice &choice, LineRecord &record,
                  LineFailure &failure) {
  const RecordFault fault = RecordOfColumns(SplitTabColumns(line), ColumnChoice(),
                                            choice.names != NameMode::kNumber, record);
  if (fault != RecordFault::kNone) {
    failure.fault =
        fault == RecordFault::kExtraColumns ? LineFault::kExtraColumns : LineFault::kMissingColumn;
    return false;
  }
  if (!choice.escapes) return true;
  std::string content;
  if (!UnescapeContent(record.content, content, failure.reason)) {
    failure.fault = LineFault::kBadEscape;
    return false;
  }
  record.content.swap(content);
  return true;
}

std::string NumberedName(int lineNumber, size_t lineCount) {
  size_t digits = 1;
  for (size_t rest = lineCount; rest >= 10; rest /= 10) ++digits;
  std::string name = std::to_string(lineNumber);
  if (name.size() < digits) name.insert(0, digits - name.size(), '0');
  return name;
}

BatchOutcome RunBatch(EngineExports &engine, BatchSymbols &symbols, FileSystem &files,
                      const BatchRecipe &recipe, const std::vector<std::string> &lines,
                      const BatchTarget &target, BatchObserver &observer) {
  if (target.images.format == qrimage::ImageFormat::kPdf)
    return RunLabelSheetBatch(engine, files, recipe, lines, target, observer);
  BatchOutcome outcome;
  BatchReport &report = outcome.report;
  outcome.reportCsv = ReportCsvStart();
  report.total = static_cast<int>(lines.size());
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  BatchNames names(NameEncoding::kUtf8);
  std::unique_ptr<BatchImages> images;
  ImageSize checkedImage = image;
  if (WrittenInProcess(target.images)) {
    images = std::make_unique<BatchImages>(recipe, target.images);
    checkedImage.captionBand = images->captionBand();
    observer.DrawsInProcess(*images);
  }
  const std::string extension = qrimage::ExtensionOf(target.images.format);
  for (int done = 1; done <= report.total; ++done) {
    const std::string &line = lines[done - 1];
    LineFailure failure;
    LineRecord parts;
    const bool recorded = RecordOfLine(line, target.records, parts, failure);
    const std::string caption = recorded ? CaptionOf(target.images.caption, parts) : "";
    qrtext::EncodedContent content;
    const bool expressible =
        recorded && qrtext::EncodeContent(parts.content, target.encoding.encoding,
                                          target.encoding.eciForGbk, content);
    if (!expressible) content = qrtext::EncodedContent();
    // Every line's message goes to the engine, written or not: after the
    // batch it holds the last line, as 保存's side file shows.
    if (done == 1) {
      ApplyRecipe(engine, content.bytes, recipe);
    } else {
      engine.QRSetMessage(content.bytes);
    }

    std::string fileName;
    if (!recorded) {
      // The record's fault is in `failure` already.
    } else if (!expressible) {
      failure.fault = LineFault::kUnrepresentable;
    } else {
      fileName = NameOfLine(parts, done, lines.size(), target, extension);
      const BatchFileName name =
          MakeBatchFileName(target.folder, fileName, target.separator, extension, /*utf8=*/true);
      const auto symbolPixels = [&] {
        return images ? images->NeededPixels(content) : symbols.SymbolPixels(content, recipe);
      };
      failure.fault =
          CheckLine(name, content.bytes, checkedImage, done, symbolPixels, names, failure);
      // No module size at all: only a larger image helps.
      if (failure.fault == LineFault::kTooLarge && target.images.autoModule)
        failure.fault = LineFault::kNoModuleFits;
      if (failure.fault == LineFault::kNone) {
        if (images) {
          failure.fault = images->Write(content, caption, name.path, files, failure.reason);
        } else if (!WriteLineFile(engine, symbols, files, recipe, content, name.path,
                                  failure.reason)) {
          failure.fault = LineFault::kNotWritten;
        }
      }
    }
    const bool written = failure.fault == LineFault::kNone;
    // A line that failed before it had a name shows none.
    const std::string shownName = recorded && expressible ? fileName + extension : std::string();
    if (written) {
      ++report.written;
      outcome.reportCsv += ReportCsvRow(done, shownName, true, std::string_view());
    } else {
      failure.lineNumber = done;
      failure.line = line;
      outcome.reportCsv +=
          ReportCsvRow(done, shownName, false, FailureText(failure, kWindowFailureTexts));
      report.failures.push_back(std::move(failure));
    }
    observer.LineFinished(done, report.total, report.written, content, written);
    if (observer.StopRequested()) {
      outcome.stopped = done < report.total;
      break;
    }
  }
  return outcome;
}

}  // namespace qrapp
