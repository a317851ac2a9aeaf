// Command line of qrbatch.
#pragma once

#include <string>
#include <vector>

#include "batch_recipe.h"
#include "content_encoding.h"
#include "image_format.h"
#include "input_decoding.h"
#include "sheet_layout.h"

namespace qrbatch {

// The window's bitmap files named ".jpg", or a real format under its own
// extension (the writers' own list, shared with the window).
using qrimage::ExtensionOf;
using qrimage::ImageFormat;

// Files named after the line (its name column), by line number, or after
// the name column made safe for any file system (SafeFileName).
enum class FileNames { kLine, kNumber, kSafe };

// What is written under each code: nothing, the line's name, its content,
// or its third column (the text after a second TAB).
enum class CaptionSource { kNone, kName, kContent, kColumn };

struct Options {
  std::string outputFolder;
  std::string inputFile;  // empty or "-": standard input
  qrapp::BatchRecipe recipe;
  ImageFormat format = ImageFormat::kWindowJpg;
  FileNames names = FileNames::kLine;
  int jobs = 0;  // workers; 0: one per online core
  // Print geometry: the module size (--module), the quiet zone
  // (--quiet-zone) and the resolution (--dpi) go into the recipe; sizes in
  // mm are turned into pixels at the resolution once every option is read.
  bool printGeometry = false;  // any of them given: the quiet zone is checked
  double moduleMillimetres = 0;
  double widthMillimetres = 0, heightMillimetres = 0;
  // Columns, CSV, escapes and the report file.
  bool csv = false;                  // --csv: RFC 4180 records instead of TAB columns
  bool header = false;               // --header: the first row names the columns
  std::vector<std::string> columns;  // --columns: name, content[, caption], by header name
                                     // or 1-based number; empty: by the number of columns
  bool escapes = false;              // --escapes: \n \r \t \\ \xNN \uNNNN in the content
  std::string reportFile;            // --report: a CSV row per line; empty: none
  // Reading every image back before it gets its name (--verify).
  bool verify = false;

  // Text: how the input is decoded, how the content is encoded in the
  // symbol (--input-encoding, --encoding, --eci).
  qrtext::InputEncoding inputEncoding = qrtext::InputEncoding::kAuto;
  qrtext::ContentEncoding contentEncoding = qrtext::ContentEncoding::kUtf8;
  bool eciForGbk = false;
  bool help = false;
  bool version = false;
  // Captions under the codes.
  CaptionSource caption = CaptionSource::kNone;
  // Label sheets (--format pdf): the page, its grid and the first cell used.
  qrsheets::SheetRequest sheet;
  bool sheetOptionGiven = false;  // refused without --format pdf
};

// The PDF of label sheets, in the destination folder.
extern const char kSheetFileName[];

// False with a message in `error` for a command line it cannot use.
bool ParseOptions(const std::vector<std::string> &args, Options &options, std::string &error);

extern const char kUsage[];

// Rows at the bottom of every image kept for its caption; 0 without
// captions.
int CaptionBandOf(const Options &options);

}  // namespace qrbatch
