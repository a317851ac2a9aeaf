#include "options.h"

#include <cctype>
#include <cstdlib>

namespace qrbatch {

const char kUsage[] =
    "Usage: qrbatch -o DIR [-l L|M|Q|H] [--qr-version auto|1..40] [--size W[xH]]\n"
    "               [--format bmp|png|svg|pdf] [--names line|number] [-j N] [FILE]\n"
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
    "Label sheets (--format pdf): one PDF, DIR/labels.pdf, for the whole batch;\n"
    "each code in vector modules with its name as caption. Lengths in mm.\n"
    "  --page P          a4 (default), letter or WxHmm\n"
    "  --labels CxR      C columns and R rows of labels on a page\n"
    "  --label WxHmm     label size (default 70x37mm: 3 x 8 on A4); with only\n"
    "                    one of --labels and --label the other is worked out\n"
    "  --margins X[xY]mm page margins left/right [and top/bottom] (default:\n"
    "                    the labels centred on the page)\n"
    "  --gap X[xY]mm     space between labels (default 0)\n"
    "  --cut-marks       marks in the margins in line with the label edges\n"
    "  --first N         start on cell N of the first page (a partly used sheet)\n"
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
    case ImageFormat::kPdf: return ".pdf";
    default: return ".jpg";
  }
}

const char kSheetFileName[] = "labels.pdf";

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

// One of the label sheet options; `value` takes its argument.
template <typename Value>
bool ParseSheetOption(const std::string &arg, Value &value, qrsheets::SheetRequest &sheet,
                      std::string &error) {
  if (arg == "--cut-marks") {
    sheet.cutMarks = true;
    return true;
  }
  std::string text;
  if (!value(text)) return false;
  bool ok;
  if (arg == "--page") {
    ok = qrsheets::ParsePageSize(text, sheet.pageWidth, sheet.pageHeight);
    if (!ok) error = "page must be a4, letter or WxHmm: " + text;
  } else if (arg == "--labels") {
    ok = qrsheets::ParseGrid(text, sheet.columns, sheet.rows);
    if (!ok) error = "labels must be COLUMNSxROWS: " + text;
  } else if (arg == "--label") {
    ok = qrsheets::ParsePair(text, sheet.labelWidth, sheet.labelHeight) &&
         text.find_first_of("xX") != std::string::npos && sheet.labelWidth > 0 &&
         sheet.labelHeight > 0;
    if (!ok) error = "label must be WxHmm: " + text;
  } else if (arg == "--margins") {
    ok = qrsheets::ParsePair(text, sheet.marginX, sheet.marginY);
    if (!ok) error = "margins must be X or XxY millimetres: " + text;
  } else if (arg == "--gap") {
    ok = qrsheets::ParsePair(text, sheet.gapX, sheet.gapY);
    if (!ok) error = "gap must be X or XxY millimetres: " + text;
  } else {
    ok = ParseNumber(text, 1, 100000, sheet.first);
    if (!ok) error = "first must be a label number from 1: " + text;
  }
  return ok;
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
      else if (text == "pdf")
        options.format = ImageFormat::kPdf;
      else {
        error = "format must be bmp, png, svg or pdf: " + text;
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
    } else if (arg == "--page" || arg == "--labels" || arg == "--label" || arg == "--margins" ||
               arg == "--gap" || arg == "--first" || arg == "--cut-marks") {
      if (!ParseSheetOption(arg, value, options.sheet, error)) return false;
      options.sheetOptionGiven = true;
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
  if (options.sheetOptionGiven && options.format != ImageFormat::kPdf) {
    error = "the label sheet options need --format pdf";
    return false;
  }
  if (!options.help && !options.version && options.outputFolder.empty()) {
    error = "the destination folder (-o DIR) is missing";
    return false;
  }
  return true;
}

}  // namespace qrbatch
