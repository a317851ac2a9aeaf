#include "options.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "image_fit.h"
#include "line_record.h"

namespace qrbatch {

int CaptionBandOf(const Options &options) {
  if (options.caption == CaptionSource::kNone) return 0;
  return qrapp::CaptionBandHeight(
      qrapp::EngineImageSize(options.recipe.width, options.recipe.height).height);
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

// Sizes in mm into pixels, once the resolution is known.
bool ResolvePrintGeometry(Options &options, std::string &error) {
  const int dpi = options.recipe.dotsPerInch;
  // Label sheets are drawn in mm: their module needs no resolution and
  // stays in mm (sheet_batch.h).
  const bool sheetModule = options.format == ImageFormat::kPdf;
  const bool millimetres =
      (options.moduleMillimetres > 0 && !sheetModule) || options.widthMillimetres > 0;
  if (millimetres && dpi == 0) {
    error = "sizes in mm need --dpi";
    return false;
  }
  if (options.widthMillimetres > 0) {
    constexpr int kLargest = 32767;
    options.recipe.width = PixelsOfMillimetres(options.widthMillimetres, dpi);
    options.recipe.height = PixelsOfMillimetres(options.heightMillimetres, dpi);
    if (options.recipe.width < 1 || options.recipe.height < 1 || options.recipe.width > kLargest ||
        options.recipe.height > kLargest) {
      error = "size in mm must give 1 to 32767 pixels at " + std::to_string(dpi) + " dpi";
      return false;
    }
  }
  if (options.moduleMillimetres > 0 && !sheetModule) {
    options.recipe.modulePixels = PixelsOfMillimetres(options.moduleMillimetres, dpi);
    if (options.recipe.modulePixels < 1 || options.recipe.modulePixels > 32767) {
      error = "module in mm must give 1 to 32767 pixels at " + std::to_string(dpi) + " dpi";
      return false;
    }
  }
  options.recipe.warnQuietZone = options.printGeometry;
  return true;
}

// NAME,CONTENT[,CAPTION]: numbers, or header names (which need the header).
bool ParseColumns(const std::string &text, Options &options, std::string &error) {
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
  if (columns.size() < 2 || columns.size() > 3 || empty) {
    error = "columns must be NAME,CONTENT or NAME,CONTENT,CAPTION: " + text;
    return false;
  }
  options.columns = std::move(columns);
  return true;
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
      options.widthMillimetres = options.heightMillimetres = 0;
      if (!ParseSize(text, options.recipe.width, options.recipe.height) &&
          !ParseSizeMillimetres(text, options.widthMillimetres, options.heightMillimetres)) {
        error = "size must be W or WxH, 1 to 32767 pixels, or in mm (20mm, 20x30mm): " + text;
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
      else if (text == "safe")
        options.names = FileNames::kSafe;
      else {
        error = "names must be line, number or safe: " + text;
        return false;
      }
    } else if (arg == "--csv") {
      options.csv = true;
    } else if (arg == "--header") {
      options.header = true;
    } else if (arg == "--escapes") {
      options.escapes = true;
    } else if (arg == "--report") {
      if (!value(options.reportFile)) return false;
      if (options.reportFile.empty()) {
        error = "the report file name is empty";
        return false;
      }
    } else if (arg == "--columns") {
      if (!value(text)) return false;
      if (!ParseColumns(text, options, error)) return false;
    } else if (arg == "-j" || arg == "--jobs") {
      if (!value(text)) return false;
      if (!ParseNumber(text, 1, 1024, options.jobs)) {
        error = "workers must be 1 to 1024: " + text;
        return false;
      }
    } else if (arg == "--module") {
      // Print geometry: module size, quiet zone, resolution.
      if (!value(text)) return false;
      options.printGeometry = true;
      options.recipe.autoModule = text == "auto";
      options.recipe.modulePixels = 0;
      options.moduleMillimetres = 0;
      const bool pixels =
          text.size() > 2 && text.compare(text.size() - 2, 2, "px") == 0 &&
          ParseNumber(text.substr(0, text.size() - 2), 1, 32767, options.recipe.modulePixels);
      if (!options.recipe.autoModule && !pixels &&
          !ParseMillimetres(text, options.moduleMillimetres)) {
        error = "module must be auto, Npx (1 to 32767) or Xmm: " + text;
        return false;
      }
    } else if (arg == "--quiet-zone") {
      if (!value(text)) return false;
      options.printGeometry = true;
      if (!ParseNumber(text, 0, 1000, options.recipe.quietZone)) {
        error = "quiet zone must be 0 to 1000 modules: " + text;
        return false;
      }
    } else if (arg == "--dpi") {
      if (!value(text)) return false;
      options.printGeometry = true;
      if (!ParseNumber(text, 1, 100000, options.recipe.dotsPerInch)) {
        error = "dpi must be 1 to 100000: " + text;
        return false;
      }
    } else if (arg == "--verify") {
#ifdef QRBATCH_CAN_VERIFY
      options.verify = true;
#else
      error = "--verify is not available: this build has no QR decoder";
      return false;
#endif
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
  return ResolvePrintGeometry(options, error);
}

}  // namespace qrbatch
