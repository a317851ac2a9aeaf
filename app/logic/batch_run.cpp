#include "batch_run.h"

#include <memory>
#include <utility>

#include "label_sheet_batch.h"
#include "line_parts.h"
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

}  // namespace

std::string CaptionOf(CaptionChoice choice, LineParts &parts) {
  switch (choice) {
    case CaptionChoice::kName: return parts.name;
    case CaptionChoice::kContent: return parts.content;
    case CaptionChoice::kColumn: {
      const size_t tab = parts.content.find('\t');
      if (tab == std::string::npos) return std::string();
      std::string caption = parts.content.substr(tab + 1);
      parts.content.resize(tab);
      return caption;
    }
    default: return std::string();
  }
}

BatchReport RunBatch(EngineExports &engine, BatchSymbols &symbols, FileSystem &files,
                     const BatchRecipe &recipe, const std::vector<std::string> &lines,
                     const BatchTarget &target, BatchObserver &observer) {
  if (target.images.format == qrimage::ImageFormat::kPdf)
    return RunLabelSheetBatch(engine, files, recipe, lines, target, observer);
  BatchReport report;
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
    LineParts parts = SplitNameAndContent(line);
    const std::string caption = CaptionOf(target.images.caption, parts);
    qrtext::EncodedContent content;
    const bool expressible = qrtext::EncodeContent(parts.content, target.encoding.encoding,
                                                   target.encoding.eciForGbk, content);
    if (!expressible) content = qrtext::EncodedContent();
    // Every line's message goes to the engine, written or not: after the
    // batch it holds the last line, as 保存's side file shows.
    if (done == 1) {
      ApplyRecipe(engine, content.bytes, recipe);
    } else {
      engine.QRSetMessage(content.bytes);
    }

    LineFailure failure;
    if (!expressible) {
      failure.fault = LineFault::kUnrepresentable;
    } else {
      const BatchFileName name =
          MakeBatchFileName(target.folder, parts.name, target.separator, extension, /*utf8=*/true);
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
    if (written) {
      ++report.written;
    } else {
      failure.lineNumber = done;
      failure.line = line;
      report.failures.push_back(std::move(failure));
    }
    observer.LineFinished(done, report.total, report.written, content, written);
  }
  return report;
}

}  // namespace qrapp
