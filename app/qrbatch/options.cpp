#include "options.h"

#include <cctype>
#include <cstdlib>

namespace qrbatch {

const char kUsage[] =
    "Usage: qrbatch -o DIR [-l L|M|Q|H] [--qr-version auto|1..40] [--size W[xH]] [FILE]\n"
    "Writes one QR Code image per line of FILE (or standard input) into DIR,\n"
    "named after the line with \".jpg\" appended; the files are 1-bit BMP images.\n"
    "\n"
    "  -o DIR            destination folder (created when missing)\n"
    "  -l LEVEL          error correction level L, M, Q or H (default L)\n"
    "  --qr-version V    smallest symbol version, or auto (default auto)\n"
    "  --size W[xH]      image size in pixels (default 200x200)\n"
    "  --help, --version\n"
    "\n"
    "Lines end in LF or CR LF; their bytes are used as given (GBK for Chinese).\n"
    "Lines that produce no file are listed on standard error; the exit status\n"
    "is then 1.\n";

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
      if (text.size() != 1 || levels.find(static_cast<char>(std::toupper(text[0]))) == std::string::npos) {
        error = "level must be L, M, Q or H: " + text;
        return false;
      }
      options.recipe.level = static_cast<int>(levels.find(static_cast<char>(std::toupper(text[0]))));
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
