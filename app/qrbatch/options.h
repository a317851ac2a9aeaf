// Command line of qrbatch.
#pragma once

#include <string>
#include <vector>

#include "batch_recipe.h"

namespace qrbatch {

// The window's bitmap files named ".jpg", or a real format under its own
// extension.
enum class ImageFormat { kWindowJpg, kBmp, kPng, kSvg };

// Files named after the line (its part before a TAB), or by line number.
enum class FileNames { kLine, kNumber };

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
  bool help = false;
  bool version = false;
  // Captions under the codes.
  CaptionSource caption = CaptionSource::kNone;
};

// False with a message in `error` for a command line it cannot use.
bool ParseOptions(const std::vector<std::string> &args, Options &options, std::string &error);

extern const char kUsage[];

// Rows at the bottom of every image kept for its caption; 0 without
// captions.
int CaptionBandOf(const Options &options);

// ".jpg", ".bmp", ".png" or ".svg".
const char *ExtensionOf(ImageFormat format);

}  // namespace qrbatch
