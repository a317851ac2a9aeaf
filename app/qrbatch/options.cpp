#include "options.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "line_record.h"

namespace qrbatch {

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
  if (!batch::WordOf(batch::kFormatWords, text, format) || format == ImageFormat::kWindowJpg)
    return "format must be bmp, png, svg or pdf: " + text;
  options.format = format;
  return std::string();
}

std::string ParseNames(const std::string &text, Options &options) {
  if (!batch::WordOf(batch::kFileNameWords, text, options.names))
    return "names must be line, number or safe: " + text;
  return std::string();
}

std::string ParseCaption(const std::string &text, Options &options) {
  CaptionSource caption;
  if (!batch::WordOf(batch::kCaptionWords, text, caption) || caption == CaptionSource::kNone)
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
    if (!batch::IsColumnNumber(column)) options.header = true;
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
  batch::ContentChoice choice;
  if (!batch::WordOf(batch::kContentWords, text, choice) || choice.eciForGbk)
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
