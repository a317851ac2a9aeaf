// Command line of qrbatch.
#pragma once

#include <string>
#include <vector>

#include "batch_settings.h"
#include "content_encoding.h"
#include "image_format.h"
#include "input_decoding.h"
#include "sheet_layout.h"

namespace qrbatch {

// The window's bitmap files named ".jpg", or a real format under its own
// extension (the writers' own list, shared with the window).
using batch::CaptionSource;
using batch::FileNames;
using qrimage::ExtensionOf;
using qrimage::ImageFormat;

// The batch's settings (shared with the window) and what is the command's
// own: where the lines come from, the workers, the report file, the
// sizes given in mm.
struct Options : batch::BatchSettings {
  std::string outputFolder;
  std::string inputFile;  // empty or "-": standard input
  int jobs = 0;           // workers; 0: one per online core
  // Print geometry: the module size (--module), the quiet zone
  // (--quiet-zone) and the resolution (--dpi) go into the recipe; sizes in
  // mm are turned into pixels at the resolution once every option is read.
  bool printGeometry = false;  // any of them given: the quiet zone is checked
  double moduleMillimetres = 0;
  double widthMillimetres = 0, heightMillimetres = 0;
  bool csv = false;        // --csv: RFC 4180 records instead of TAB columns
  bool header = false;     // --header: the first row names the columns
  std::string reportFile;  // --report: a CSV row per line; empty: none
  // Text: how the input is decoded (--input-encoding).
  qrtext::InputEncoding inputEncoding = qrtext::InputEncoding::kAuto;
  bool help = false;
  bool version = false;
  bool sheetOptionGiven = false;  // a label sheet option: refused without --format pdf
};

// The PDF of label sheets, in the destination folder.
extern const char kSheetFileName[];

// The options of a command line, or why it cannot be used.
struct ParsedOptions {
  Options options;
  std::string error;  // empty: the options are usable
  bool ok() const { return error.empty(); }
};
ParsedOptions ParseOptions(const std::vector<std::string> &args);

extern const char kUsage[];

}  // namespace qrbatch
