// Command line of qrbatch.
#pragma once

#include <string>
#include <vector>

#include "batch_recipe.h"
#include "content_encoding.h"
#include "input_decoding.h"

namespace qrbatch {

// The window's bitmap files named ".jpg", or a real format under its own
// extension.
enum class ImageFormat { kWindowJpg, kBmp, kPng, kSvg };

// Files named after the line (its part before a TAB), or by line number.
enum class FileNames { kLine, kNumber };

struct Options {
  std::string outputFolder;
  std::string inputFile;  // empty or "-": standard input
  qrapp::BatchRecipe recipe;
  ImageFormat format = ImageFormat::kWindowJpg;
  FileNames names = FileNames::kLine;
  int jobs = 0;  // workers; 0: one per online core
  // Text: how the input is decoded, how the content is encoded in the
  // symbol (--input-encoding, --encoding, --eci).
  qrtext::InputEncoding inputEncoding = qrtext::InputEncoding::kAuto;
  qrtext::ContentEncoding contentEncoding = qrtext::ContentEncoding::kUtf8;
  bool eciForGbk = false;
  bool help = false;
  bool version = false;
};

// False with a message in `error` for a command line it cannot use.
bool ParseOptions(const std::vector<std::string> &args, Options &options, std::string &error);

extern const char kUsage[];

// ".jpg", ".bmp", ".png" or ".svg".
const char *ExtensionOf(ImageFormat format);

}  // namespace qrbatch
