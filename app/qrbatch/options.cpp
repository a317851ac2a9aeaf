#include "options.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "line_record.h"

namespace qrbatch {

const char kUsage[] =
    "Usage: qrbatch -o DIR [-l L|M|Q|H] [--qr-version auto|1..40] [--size W[xH]]\n"
    "               [--format bmp|png|svg|pdf] [--names line|number|safe] [-j N]\n"
    "               [--csv] [--header] [--columns NAME,CONTENT[,CAPTION]]\n"
    "               [--escapes] [--report FILE]\n"
    "               [--module auto|Npx|Xmm] [--quiet-zone N] [--dpi D]\n"
    "               [--input-encoding auto|utf-8|gbk|utf-16]\n"
    "               [--encoding utf-8|utf-8-noeci|gbk|raw] [--eci] [FILE]\n"
    "Writes one QR Code image per line of FILE (or standard input) into DIR.\n"
    "A line is split into columns at its TABs: one column is both name and\n"
    "content, two are name and content, three name, content and caption;\n"
    "a line with more columns is reported unless --columns picks them.\n"
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
    "  --names safe      name the files after the name column with what Windows\n"
    "                    cannot store (: / \\ * ? \" < > |, controls, trailing dots\n"
    "                    and blanks) made '_', device names (CON...) prefixed\n"
    "                    with '_', cut to the file system's 255 units\n"
    "  --csv             read CSV records (commas, quoted fields, \"\" for a quote,\n"
    "                    line breaks inside quotes) instead of TAB columns\n"
    "  --header          the first row names the columns and makes no file\n"
    "  --columns N,C[,K] the name, content and caption columns, by number (1 is\n"
    "                    the first) or by header name (implies --header); a row\n"
    "                    without them is reported\n"
    "  --escapes         \\n \\r \\t \\\\ \\xNN (the byte) \\uNNNN (UTF-8) in the\n"
    "                    content stand for what they name; a bad one is reported\n"
    "  --report FILE     write every line's outcome to FILE as CSV (UTF-8 with a\n"
    "                    byte-order mark): line, name, status, reason\n"
    "  -j N              N workers (default: one per processor)\n"
    "  --size Wmm[xHmm]  image size in millimetres (needs --dpi)\n"
    "  --module M        module size: Npx, Xmm (needs --dpi) or auto, the largest\n"
    "                    whole module with which the symbol and its quiet zone\n"
    "                    (4 modules unless --quiet-zone says) fit the image\n"
    "                    (default 8px: 0.2 cm at 96 dpi)\n"
    "  --quiet-zone N    light margin of at least N modules around the symbol;\n"
    "                    a symbol that cannot have it is not written\n"
    "  --dpi D           resolution stated in the files (BMP, PNG pHYs, SVG in mm)\n"
    "                    and used for sizes in mm; it changes no pixel\n"
    "  With any of --module, --quiet-zone, --dpi, an image whose margin is below\n"
    "  4 modules is written and reported as a warning.\n"
    "  --verify          read every image back with a QR decoder before it gets\n"
    "                    its name; an image that does not read as its content\n"
    "                    is removed and its line fails\n"
    "  --input-encoding E  the input's encoding: auto (default: a byte-order\n"
    "                    mark, else UTF-8 if it reads as UTF-8, else GBK),\n"
    "                    utf-8, gbk or utf-16 (little-endian without a mark)\n"
    "  --encoding E      the content in the symbol: utf-8 (default; with ECI 26\n"
    "                    when not ASCII), utf-8-noeci, gbk, or raw (the line's\n"
    "                    bytes as read)\n"
    "  --eci             announce GBK content with ECI 29\n"
    "  --caption name|content|column\n"
    "                    a caption under each code: the line's name, its content,\n"
    "                    or its caption column (the third, or as --columns picks);\n"
    "                    the bottom 15% of the image (at least 12 px) holds it\n"
    "Label sheets (--format pdf): one PDF, DIR/labels.pdf, for the whole batch;\n"
    "each code in vector modules with a caption. Lengths in mm.\n"
    "  --page P          a4 (default), letter or WxHmm\n"
    "  --labels CxR      C columns and R rows of labels on a page\n"
    "  --label WxHmm     label size (default 70x37mm: 3 x 8 on A4); with only\n"
    "                    one of --labels and --label the other is worked out\n"
    "  --margins X[xY]mm page margins left/right [and top/bottom] (default:\n"
    "                    the labels centred on the page)\n"
    "  --gap X[xY]mm     space between labels (default 0)\n"
    "  --cut-marks       marks in the margins in line with the label edges\n"
    "  --first N         start on cell N of the first page (a partly used sheet)\n"
    "  The lines go through --csv, --columns, --escapes, the encodings and\n"
    "  --report as images do; --caption picks the caption (default: the name).\n"
    "  --module Xmm      the labels' module size, no --dpi needed (default auto:\n"
    "                    the largest the label allows); --quiet-zone N modules\n"
    "                    of white around each code (default 4)\n"
    "  --help, --version\n"
    "\n"
    "Lines end in LF or CR LF. File names are the decoded text (UTF-8 on Linux,\n"
    "Unicode on Windows); a line that is no valid text in the input's encoding,\n"
    "or whose content GBK cannot express under --encoding gbk, is not written.\n"
    "Modules are 8 pixels unless --module says; a symbol larger than the image is\n"
    "not written. Two lines naming the same file with different content: the\n"
    "later one is not written. Lines that produce no file are listed on standard\n"
    "error; the exit status is then 1 (2: unusable command line, input or\n"
    "folder; 130: interrupted).\n";

const char kSheetFileName[] = "labels.pdf";

namespace {

// A value option's parser: why it cannot use `text`; empty when it took it.
using ValueParser = std::string (*)(const std::string &text, Options &options);

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

// Positive decimal millimetres ending in "mm" ("20mm", "0.33mm"), at most
// 10 metres.
bool ParseMillimetres(const std::string &text, double &value) {
  if (text.size() < 3 || text.compare(text.size() - 2, 2, "mm") != 0) return false;
  const std::string number = text.substr(0, text.size() - 2);
  if (number.find_first_not_of("0123456789.") != std::string::npos || number.front() == '.' ||
      number.find('.') != number.rfind('.'))
    return false;
  value = std::strtod(number.c_str(), nullptr);
  return value > 0 && value <= 10000;
}

// "20mm", "20x30mm" or "20mmx30mm".
bool ParseSizeMillimetres(const std::string &text, double &width, double &height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) {
    if (!ParseMillimetres(text, width)) return false;
    height = width;
    return true;
  }
  std::string first = text.substr(0, x);
  if (first.size() < 2 || first.compare(first.size() - 2, 2, "mm") != 0) first += "mm";
  return ParseMillimetres(first, width) && ParseMillimetres(text.substr(x + 1), height);
}

// Millimetres at `dotsPerInch` in whole pixels, rounded to the nearest.
int PixelsOfMillimetres(double millimetres, int dotsPerInch) {
  return static_cast<int>(std::lround(millimetres * dotsPerInch / 25.4));
}

// The image size in mm into pixels, once the resolution is known.
std::string ResolveSizeMillimetres(Options &options) {
  constexpr int kLargest = 32767;
  const int dpi = options.recipe.dotsPerInch;
  options.recipe.width = PixelsOfMillimetres(options.widthMillimetres, dpi);
  options.recipe.height = PixelsOfMillimetres(options.heightMillimetres, dpi);
  if (options.recipe.width < 1 || options.recipe.height < 1 || options.recipe.width > kLargest ||
      options.recipe.height > kLargest)
    return "size in mm must give 1 to 32767 pixels at " + std::to_string(dpi) + " dpi";
  return std::string();
}

// Sizes in mm into pixels, once the resolution is known. Label sheets are
// drawn in mm: their module needs no resolution and stays in mm.
std::string ResolvePrintGeometry(Options &options) {
  const int dpi = options.recipe.dotsPerInch;
  const bool sheetModule = options.labelSheets();
  if (sheetModule) options.labelModuleMm = options.moduleMillimetres;
  const bool millimetres =
      (options.moduleMillimetres > 0 && !sheetModule) || options.widthMillimetres > 0;
  if (millimetres && dpi == 0) return "sizes in mm need --dpi";
  if (options.widthMillimetres > 0) {
    const std::string error = ResolveSizeMillimetres(options);
    if (!error.empty()) return error;
  }
  if (options.moduleMillimetres > 0 && !sheetModule) {
    options.recipe.modulePixels = PixelsOfMillimetres(options.moduleMillimetres, dpi);
    if (options.recipe.modulePixels < 1 || options.recipe.modulePixels > 32767)
      return "module in mm must give 1 to 32767 pixels at " + std::to_string(dpi) + " dpi";
  }
  options.recipe.warnQuietZone = options.printGeometry;
  return std::string();
}

std::string ParseOutput(const std::string &text, Options &options) {
  options.outputFolder = text;
  return std::string();
}

std::string ParseLevel(const std::string &text, Options &options) {
  const std::string levels = "LMQH";
  if (text.size() != 1 ||
      levels.find(static_cast<char>(std::toupper(text[0]))) == std::string::npos)
    return "level must be L, M, Q or H: " + text;
  options.recipe.level = static_cast<int>(levels.find(static_cast<char>(std::toupper(text[0]))));
  return std::string();
}

std::string ParseVersion(const std::string &text, Options &options) {
  if (text == "auto") {
    options.recipe.version = 0;
  } else if (!ParseNumber(text, 1, 40, options.recipe.version)) {
    return "version must be auto or 1 to 40: " + text;
  }
  return std::string();
}

std::string ParseImageSize(const std::string &text, Options &options) {
  options.widthMillimetres = options.heightMillimetres = 0;
  if (!ParseSize(text, options.recipe.width, options.recipe.height) &&
      !ParseSizeMillimetres(text, options.widthMillimetres, options.heightMillimetres))
    return "size must be W or WxH, 1 to 32767 pixels, or in mm (20mm, 20x30mm): " + text;
  return std::string();
}

std::string ParseFormat(const std::string &text, Options &options) {
  // The window's ".jpg" bitmaps are the default, not a format to ask for.
  ImageFormat format;
  if (!qrapp::WordOf(qrapp::kFormatWords, text, format) || format == ImageFormat::kWindowJpg)
    return "format must be bmp, png, svg or pdf: " + text;
  options.format = format;
  return std::string();
}

std::string ParseNames(const std::string &text, Options &options) {
  if (!qrapp::WordOf(qrapp::kFileNameWords, text, options.names))
    return "names must be line, number or safe: " + text;
  return std::string();
}

std::string ParseCaption(const std::string &text, Options &options) {
  CaptionSource caption;
  if (!qrapp::WordOf(qrapp::kCaptionWords, text, caption) || caption == CaptionSource::kNone)
    return "caption must be name, content or column: " + text;
  options.caption = caption;
  return std::string();
}

std::string ParseReport(const std::string &text, Options &options) {
  options.reportFile = text;
  return text.empty() ? "the report file name is empty" : std::string();
}

// NAME,CONTENT[,CAPTION]: numbers, or header names (which need the header).
std::string ParseColumns(const std::string &text, Options &options) {
  std::vector<std::string> columns;
  size_t begin = 0;
  for (;;) {
    const size_t comma = text.find(',', begin);
    columns.push_back(text.substr(begin, comma - begin));
    if (comma == std::string::npos) break;
    begin = comma + 1;
  }
  bool empty = false;
  for (const std::string &column : columns) {
    empty = empty || column.empty();
    if (!qrapp::IsColumnNumber(column)) options.header = true;
  }
  if (columns.size() < 2 || columns.size() > 3 || empty)
    return "columns must be NAME,CONTENT or NAME,CONTENT,CAPTION: " + text;
  options.columns = std::move(columns);
  return std::string();
}

std::string ParseJobs(const std::string &text, Options &options) {
  if (!ParseNumber(text, 1, 1024, options.jobs)) return "workers must be 1 to 1024: " + text;
  return std::string();
}

// Print geometry: module size, quiet zone, resolution.
std::string ParseModule(const std::string &text, Options &options) {
  options.printGeometry = true;
  options.recipe.autoModule = text == "auto";
  options.recipe.modulePixels = 0;
  options.moduleMillimetres = 0;
  const bool pixels =
      text.size() > 2 && text.compare(text.size() - 2, 2, "px") == 0 &&
      ParseNumber(text.substr(0, text.size() - 2), 1, 32767, options.recipe.modulePixels);
  if (!options.recipe.autoModule && !pixels && !ParseMillimetres(text, options.moduleMillimetres))
    return "module must be auto, Npx (1 to 32767) or Xmm: " + text;
  return std::string();
}

std::string ParseQuietZone(const std::string &text, Options &options) {
  options.printGeometry = true;
  if (!ParseNumber(text, 0, 1000, options.recipe.quietZone))
    return "quiet zone must be 0 to 1000 modules: " + text;
  return std::string();
}

std::string ParseDpi(const std::string &text, Options &options) {
  options.printGeometry = true;
  if (!ParseNumber(text, 1, 100000, options.recipe.dotsPerInch))
    return "dpi must be 1 to 100000: " + text;
  return std::string();
}

std::string ParseInputEncoding(const std::string &text, Options &options) {
  if (!qrtext::ParseInputEncoding(text, options.inputEncoding))
    return "input encoding must be auto, utf-8, gbk or utf-16: " + text;
  return std::string();
}

std::string ParseEncoding(const std::string &text, Options &options) {
  // GBK with ECI 29 is --encoding gbk --eci here.
  qrapp::ContentChoice choice;
  if (!qrapp::WordOf(qrapp::kContentWords, text, choice) || choice.eciForGbk)
    return "encoding must be utf-8, utf-8-noeci, gbk or raw: " + text;
  options.contentEncoding = choice.encoding;
  return std::string();
}

// The label sheet options (refused without --format pdf).
std::string ParsePage(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  if (!qrsheets::ParsePageSize(text, options.sheet.pageWidth, options.sheet.pageHeight))
    return "page must be a4, letter or WxHmm: " + text;
  return std::string();
}

std::string ParseLabels(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  if (!qrsheets::ParseGrid(text, options.sheet.columns, options.sheet.rows))
    return "labels must be COLUMNSxROWS: " + text;
  return std::string();
}

std::string ParseLabel(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  qrsheets::SheetRequest &sheet = options.sheet;
  if (!qrsheets::ParsePair(text, sheet.labelWidth, sheet.labelHeight) ||
      text.find_first_of("xX") == std::string::npos || sheet.labelWidth <= 0 ||
      sheet.labelHeight <= 0)
    return "label must be WxHmm: " + text;
  return std::string();
}

std::string ParseMargins(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  if (!qrsheets::ParsePair(text, options.sheet.marginX, options.sheet.marginY))
    return "margins must be X or XxY millimetres: " + text;
  return std::string();
}

std::string ParseGap(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  if (!qrsheets::ParsePair(text, options.sheet.gapX, options.sheet.gapY))
    return "gap must be X or XxY millimetres: " + text;
  return std::string();
}

std::string ParseFirst(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  if (!ParseNumber(text, 1, 100000, options.sheet.first))
    return "first must be a label number from 1: " + text;
  return std::string();
}

// The smallest module a label may have: Xmm, or 0 for none.
std::string ParseMinModule(const std::string &text, Options &options) {
  options.sheetOptionGiven = true;
  if (text == "0" || text == "0mm") {
    options.smallestLabelModuleMm = 0;
  } else if (!ParseMillimetres(text, options.smallestLabelModuleMm)) {
    return "min-module must be Xmm, or 0 for none: " + text;
  }
  return std::string();
}

struct ValueOption {
  const char *name;
  ValueParser parse;
};

constexpr ValueOption kValueOptions[] = {
    {"-o", ParseOutput},
    {"-l", ParseLevel},
    {"--qr-version", ParseVersion},
    {"--size", ParseImageSize},
    {"--format", ParseFormat},
    {"--names", ParseNames},
    {"--report", ParseReport},
    {"--columns", ParseColumns},
    {"-j", ParseJobs},
    {"--jobs", ParseJobs},
    {"--module", ParseModule},
    {"--quiet-zone", ParseQuietZone},
    {"--dpi", ParseDpi},
    {"--input-encoding", ParseInputEncoding},
    {"--encoding", ParseEncoding},
    {"--caption", ParseCaption},
    {"--page", ParsePage},
    {"--labels", ParseLabels},
    {"--label", ParseLabel},
    {"--margins", ParseMargins},
    {"--gap", ParseGap},
    {"--first", ParseFirst},
    {"--min-module", ParseMinModule},
};

const ValueOption *ValueOptionOf(const std::string &arg) {
  for (const ValueOption &option : kValueOptions)
    if (arg == option.name) return &option;
  return nullptr;
}

// An option without a value, taken (or refused, when this build cannot
// offer it).
struct Flag {
  bool taken = false;
  std::string error;
};

Flag TakeFlag(const std::string &arg, Options &options) {
  Flag flag;
  flag.taken = true;
  if (arg == "--help" || arg == "-h") {
    options.help = true;
  } else if (arg == "--version") {
    options.version = true;
  } else if (arg == "--csv") {
    options.csv = true;
  } else if (arg == "--header") {
    options.header = true;
  } else if (arg == "--escapes") {
    options.escapes = true;
  } else if (arg == "--eci") {
    options.eciForGbk = true;
  } else if (arg == "--cut-marks") {
    options.sheet.cutMarks = true;
    options.sheetOptionGiven = true;
  } else if (arg == "--verify") {
#ifdef QRBATCH_CAN_VERIFY
    options.verify = true;
#else
    flag.error = "--verify is not available: this build has no QR decoder";
#endif
  } else {
    flag.taken = false;
  }
  return flag;
}

// What the options mean together.
std::string CheckTogether(const Options &options) {
  if (options.sheetOptionGiven && !options.labelSheets())
    return "the label sheet options need --format pdf";
  if (!options.help && !options.version && options.outputFolder.empty())
    return "the destination folder (-o DIR) is missing";
  return std::string();
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string> &args) {
  ParsedOptions parsed;
  Options &options = parsed.options;
  bool haveFile = false;
  for (size_t i = 0; i < args.size() && parsed.ok(); ++i) {
    const std::string &arg = args[i];
    if (const ValueOption *option = ValueOptionOf(arg)) {
      if (i + 1 < args.size())
        parsed.error = option->parse(args[++i], options);
      else
        parsed.error = "option " + arg + " needs a value";
    } else if (Flag flag = TakeFlag(arg, options); flag.taken) {
      parsed.error = std::move(flag.error);
    } else if (arg.size() > 1 && arg[0] == '-') {
      parsed.error = "unknown option " + arg;
    } else if (!haveFile) {
      options.inputFile = arg;
      haveFile = true;
    } else {
      parsed.error = "more than one input file";
    }
  }
  if (parsed.ok()) parsed.error = CheckTogether(options);
  if (parsed.ok()) parsed.error = ResolvePrintGeometry(options);
  return parsed;
}

}  // namespace qrbatch
