#include "options.h"

#include <cctype>
#include <cstdlib>

namespace qrbatch {

const char kUsage[] =
    "Usage: qrbatch -o DIR [-l L|M|Q|H] [--qr-version auto|1..40] [--size W[xH]]\n"
    "               [--format bmp|png|svg] [--names line|number] [-j N]\n"
    "               [--input-encoding auto|utf-8|gbk|utf-16]\n"
    "               [--encoding utf-8|utf-8-noeci|gbk|raw] [--eci] [FILE]\n"
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
    "  --input-encoding E  the input's encoding: auto (default: a byte-order\n"
    "                    mark, else UTF-8 if it reads as UTF-8, else GBK),\n"
    "                    utf-8, gbk or utf-16 (little-endian without a mark)\n"
    "  --encoding E      the content in the symbol: utf-8 (default; with ECI 26\n"
    "                    when not ASCII), utf-8-noeci, gbk, or raw (the line's\n"
    "                    bytes as read)\n"
    "  --eci             announce GBK content with ECI 29\n"
    "  --help, --version\n"
    "\n"
    "Lines end in LF or CR LF. File names are the decoded text (UTF-8 on Linux,\n"
    "Unicode on Windows); a line that is no valid text in the input's encoding,\n"
    "or whose content GBK cannot express under --encoding gbk, is not written.\n"
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
    } else if (arg == "--input-encoding") {
      if (!value(text)) return false;
      if (!qrtext::ParseInputEncoding(text, options.inputEncoding)) {
        error = "input encoding must be auto, utf-8, gbk or utf-16: " + text;
        return false;
      }
    } else if (arg == "--encoding") {
      if (!value(text)) return false;
      if (!qrtext::ParseContentEncoding(text, options.contentEncoding)) {
        error = "encoding must be utf-8, utf-8-noeci, gbk or raw: " + text;
        return false;
      }
    } else if (arg == "--eci") {
      options.eciForGbk = true;
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
