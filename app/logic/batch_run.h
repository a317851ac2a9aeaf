// The window's batch loop over the engine's exports (the line checks it
// shares with qrbatch are in line_check.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch_images.h"
#include "batch_recipe.h"
#include "batch_symbols.h"
#include "content_encoding.h"
#include "engine_exports.h"
#include "file_system.h"
#include "line_check.h"
#include "line_parts.h"
#include "window_options.h"

namespace qrapp {

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // After each line; `content` is what the line encodes (empty bytes when
  // the encoding cannot express it), and its file was written only when
  // `fileWritten`.
  virtual void LineFinished(int done, int total, int written, const qrtext::EncodedContent &content,
                            bool fileWritten) = 0;
  // Before the first line when the batch draws its images in process:
  // `images` holds the image just written, for the preview.
  virtual void DrawsInProcess(WrittenImages &images) { (void)images; }
};

// Where and how the batch writes.
struct BatchTarget {
  std::string folder;  // UTF-8
  char separator = '\\';
  ContentChoice encoding;
  ImageChoice images;  // the default: the DLL's bitmap files
};

// One image per UTF-8 line into the target folder; never stops on a failed
// line. A line is split at its first TAB into name and content, then
// refused for a content the encoding cannot express, its name, its length,
// a symbol larger than the image or a name this batch wrote with other
// content, in this order, before anything is written. The engine gets the
// recipe once, with the first line's message; later lines send only their
// message and the file. A content with an ECI designator is drawn by
// `symbols` and written through `files` instead, as the engine's exports
// carry no designator. `symbols` measures each symbol for the fit check,
// so the engine encodes each line once. Images other than the DLL's bitmap
// (target.images) are drawn and checked in process (BatchImages) and written
// through `files`; a caption column is then the text after the content's
// first TAB. Label sheets go to RunLabelSheetBatch (label_sheet_batch.h).
// The caption's text for the line (UTF-8); with a caption column, the
// content's text after its first TAB leaves the content.
std::string CaptionOf(CaptionChoice choice, LineParts &parts);

BatchReport RunBatch(EngineExports &engine, BatchSymbols &symbols, FileSystem &files,
                     const BatchRecipe &recipe, const std::vector<std::string> &lines,
                     const BatchTarget &target, BatchObserver &observer);

}  // namespace qrapp
