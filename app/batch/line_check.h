// The checks of one batch line that need no file system, and what a line
// that produced no file reports: shared by the window's batch and qrbatch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "batch_file_name.h"
#include "batch_names.h"
#include "image_fit.h"

namespace batch {

enum class LineFault {
  kNone,
  kTooLong,        // the content does not fit version 40 at the level
  kOutsideFolder,  // the name leads outside the destination folder
  kInvalidName,    // the name is no valid Windows file name
  kTooLarge,       // the symbol is wider or taller than the image
  kNameTaken,      // an earlier line of the batch wrote this name with other content
  kNoModuleFits,   // automatic module size: not even one pixel a module fits the image
  kNotWritten,     // the file could not be written
  // Records made of columns, and escapes in the content.
  kMissingColumn,  // the row has no picked column (the content, or the name)
  kExtraColumns,   // more columns than name, content and caption
  kBadEscape,      // a bad escape in the content; the reason holds it
  kUnclosedQuote,  // a quoted CSV field never closes
  kVerifyFailed,   // the written image did not read back as its content; removed
  // Decoded text (qrbatch's input encodings, the content encodings).
  kUndecodable,      // the line is no valid text in the input's encoding
  kUnrepresentable,  // the content holds a character its encoding cannot express
  kCaptionTooLong,   // the caption does not fit its band, even wrapped at the smallest size
  // Label sheets.
  kCodeTooLargeForLabel,  // the code and its quiet zone do not fit the label; the reason says
};

// The faults after kNone: the rows of every table of failure texts. It
// names the enum's last fault.
inline constexpr size_t kLineFaultCount = static_cast<size_t>(LineFault::kCodeTooLargeForLabel);

struct LineFailure {
  int lineNumber = 0;  // 1-based
  std::string line;    // the whole line, GBK, as split
  LineFault fault = LineFault::kNone;
  int symbolPixels = 0;       // kTooLarge: the symbol's side in pixels
  int width = 0, height = 0;  // kTooLarge: the image size
  int captionBand = 0;        // kTooLarge: rows of the image kept for a caption
  int takenBy = 0;            // kNameTaken: the line that holds the name
  // kNotWritten: the system's reason text, may be empty; kBadEscape: the escape;
  // kVerifyFailed: what the image read back as.
  std::string reason;
};

struct BatchReport {
  int total = 0;
  int written = 0;
  std::vector<LineFailure> failures;  // every line that produced no file
};

// The checks of one line that need no file system, in the order both
// batches apply them: its name, its length, a symbol larger than the image,
// a name this batch wrote with other content. `symbolPixels` gives the
// symbol's side in pixels for the content (0 when no symbol holds it); it
// is asked only for a valid name. A line claims its name in `names` only
// when the earlier checks let it through; `nameKey`, when given, receives
// the key it was claimed under (BatchNames::NameKey), so a caller can
// spread lines by file without folding the name again. Returns the line's
// failure with its fault's details (its fault kNone: the line is to be
// written; its text is the caller's to fill).
LineFailure CheckLine(const BatchFileName &name, const std::string &content, ImageSize image,
                      int lineNumber, const std::function<int()> &symbolPixels, BatchNames &names,
                      uint64_t *nameKey = nullptr);

}  // namespace batch
