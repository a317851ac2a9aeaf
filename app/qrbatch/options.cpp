#include "options.h"

#include <cctype>
#include <cstdlib>

#include "image_fit.h"

namespace qrbatch {

const char kUsage[] =
    "Usage: qrbatch -o DIR [-l L|M|Q|H] [--qr-version auto|1..40] [--size W[xH]]\n"
    "               [--format bmp|png|svg] [--names line|number] [-j N] [FILE]\n"
    "Writes one QR Code image per line of FILE (or standard input) into DIR.\n"
    "A line with a TAB names its file with the bytes before the first TAB and\n"
    "encodes the bytes after it; a line without TAB is both name and content.\n"
    "\n"
    "  -o DIR            destination folder (created when missing)\n"
    "  -l LEVEL          error correction level L, M, Q or H (default L)\n"
    "  --qr-version V    smallest symbol version, or auto (default auto)\n"
    "  --size W[xH]      image size in pixels (default 200x200)\n"
    "  --format F        bmp, png (1-bit greyscale) or svg files under their own\n"
    "                    extension; without it 1-bit BMP files named \".jpg\",\n"
    "                    as the Windows program writes them\n"
    "  --names number    name the files by line number, zero-padded to the\n"
    "                    digits of the line count (01 ... 12 for 12 lines)\n"
    "  -j N              N workers (default: one per processor)\n"
    "  --caption name|content|column\n"
    "                    a caption under each code: the line's name, its\n"
    "                    content, or its third column (after a second TAB);\n"
    "                    the bottom 15% of the image (at least 12 px) holds it\n"
    "  --help, --version\n"
    "\n"
    "Lines end in LF or CR LF; their bytes are used as given (GBK for Chinese).\n"
    "Modules are 8 pixels at 96 dpi; a symbol larger than the image is not\n"
    "written. Two lines naming the same file with different content: the later\n"
    "one is not written. Lines that produce no file are listed on standard\n"
    "error; the exit status is then 1 (2: unusable command line, input or\n"
    "folder; 130: interrupted).\n";

const char *ExtensionOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::kBmp: return ".bmp";
    case ImageFormat::kPng: return ".png";
    case ImageFormat::kSvg: return ".svg";
    default: return ".jpg";
  }
}

int CaptionBandOf(const Options &options) {
  if (options.caption == CaptionSource::kNone) return 0;
  return qrapp::CaptionBandHeight(
      qrapp::EngineImageSize(options.recipe.width, options.recipe.height).height);
}

namespace {

// Whole decimal number in [low, high].
bool ParseNumber(const std::string &text, int low, int high, int &value) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::atoi(text.c_str());
  return value >= low && value <= high;
}

bool ParseSize(const std::string &text, int &width, int &height) {
  constexpr int kLargest = 32767;
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) {
    if (!ParseNumber(text, 1, kLargest, width)) return false;
    height = width;
    return true;
  }
  return ParseNumber(text.substr(0, x), 1, kLargest, width) &&
         ParseNumber(text.substr(x + 1), 1, kLargest, height);
}

}  // namespace

bool ParseOptions(const std::vector<std::string> &args, Options &options, std::string &error) {
  bool haveFile = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    auto value = [&](std::string &out) {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "-o") {
      if (!value(options.outputFolder)) return false;
    } else if (arg == "-l") {
      if (!value(text)) return false;
      const std::string levels = "LMQH";
      if (text.size() != 1 ||
          levels.find(static_cast<char>(std::toupper(text[0]))) == std::string::npos) {
        error = "level must be L, M, Q or H: " + text;
        return false;
      }
      options.recipe.level =
          static_cast<int>(levels.find(static_cast<char>(std::toupper(text[0]))));
    } else if (arg == "--qr-version") {
      if (!value(text)) return false;
      if (text == "auto") {
        options.recipe.version = 0;
      } else if (!ParseNumber(text, 1, 40, options.recipe.version)) {
        error = "version must be auto or 1 to 40: " + text;
        return false;
      }
    } else if (arg == "--size") {
      if (!value(text)) return false;
      if (!ParseSize(text, options.recipe.width, options.recipe.height)) {
        error = "size must be W or WxH, 1 to 32767 pixels: " + text;
        return false;
      }
    } else if (arg == "--format") {
      if (!value(text)) return false;
      if (text == "bmp")
        options.format = ImageFormat::kBmp;
      else if (text == "png")
        options.format = ImageFormat::kPng;
      else if (text == "svg")
        options.format = ImageFormat::kSvg;
      else {
        error = "format must be bmp, png or svg: " + text;
        return false;
      }
    } else if (arg == "--names") {
      if (!value(text)) return false;
      if (text == "line")
        options.names = FileNames::kLine;
      else if (text == "number")
        options.names = FileNames::kNumber;
      else {
        error = "names must be line or number: " + text;
        return false;
      }
    } else if (arg == "-j" || arg == "--jobs") {
      if (!value(text)) return false;
      if (!ParseNumber(text, 1, 1024, options.jobs)) {
        error = "workers must be 1 to 1024: " + text;
        return false;
      }
    } else if (arg == "--caption") {
      if (!value(text)) return false;
      if (text == "name")
        options.caption = CaptionSource::kName;
      else if (text == "content")
        options.caption = CaptionSource::kContent;
      else if (text == "column")
        options.caption = CaptionSource::kColumn;
      else {
        error = "caption must be name, content or column: " + text;
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (!haveFile) {
      options.inputFile = arg;
      haveFile = true;
    } else {
      error = "more than one input file";
      return false;
    }
  }
  if (!options.help && !options.version && options.outputFolder.empty()) {
    error = "the destination folder (-o DIR) is missing";
    return false;
  }
  return true;
}

}  // namespace qrbatch
