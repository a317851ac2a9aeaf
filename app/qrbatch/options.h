// Command line of qrbatch.
#pragma once

#include <string>
#include <vector>

#include "batch_recipe.h"
#include "sheet_layout.h"

namespace qrbatch {

// The window's bitmap files named ".jpg", or a real format under its own
// extension.
// kPdf: one PDF of label sheets for the whole batch.
enum class ImageFormat { kWindowJpg, kBmp, kPng, kSvg, kPdf };

// Files named after the line (its part before a TAB), or by line number.
enum class FileNames { kLine, kNumber };

struct Options {
  std::string outputFolder;
  std::string inputFile;  // empty or "-": standard input
  qrapp::BatchRecipe recipe;
  ImageFormat format = ImageFormat::kWindowJpg;
  FileNames names = FileNames::kLine;
  int jobs = 0;  // workers; 0: one per online core
  bool help = false;
  bool version = false;
  // Label sheets (--format pdf): the page, its grid and the first cell used.
  qrsheets::SheetRequest sheet;
  bool sheetOptionGiven = false;  // refused without --format pdf
};

// The PDF of label sheets, in the destination folder.
extern const char kSheetFileName[];

// False with a message in `error` for a command line it cannot use.
bool ParseOptions(const std::vector<std::string> &args, Options &options, std::string &error);

extern const char kUsage[];

// ".jpg", ".bmp", ".png", ".svg" or ".pdf".
const char *ExtensionOf(ImageFormat format);

}  // namespace qrbatch
