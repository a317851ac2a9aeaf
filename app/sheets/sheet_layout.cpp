#include "sheet_layout.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace qrsheets {

namespace {

constexpr double kLargestPage = 5000;  // mm: wider than any printer's roll
constexpr int kMostCells = 10000;

// A plain decimal number ("12", "12.5"), nothing else.
bool ParseNumber(const std::string &text, double &value) {
  if (text.empty() || text.size() > 12 ||
      text.find_first_not_of("0123456789.") != std::string::npos)
    return false;
  if (text.front() == '.' || text.back() == '.' || text.find('.') != text.rfind('.')) return false;
  value = std::strtod(text.c_str(), nullptr);
  return std::isfinite(value);
}

std::string WithoutMm(const std::string &text) {
  if (text.size() > 2 && text.compare(text.size() - 2, 2, "mm") == 0)
    return text.substr(0, text.size() - 2);
  return text;
}

bool SplitAtX(const std::string &text, std::string &first, std::string &second) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  first = text.substr(0, x);
  second = text.substr(x + 1);
  return true;
}

}  // namespace

SheetRequest DefaultSheet() {
  SheetRequest request;
  request.columns = 3;
  request.rows = 8;
  request.labelWidth = 70;
  request.labelHeight = 37;
  return request;
}

bool ParseLength(const std::string &text, double &mm) {
  return ParseNumber(WithoutMm(text), mm) && mm <= kLargestPage;
}

bool ParsePageSize(const std::string &text, double &width, double &height) {
  if (text == "a4" || text == "A4") {
    width = 210, height = 297;
    return true;
  }
  if (text == "letter") {
    width = 215.9, height = 279.4;
    return true;
  }
  return ParsePair(text, width, height) && width > 0 && height > 0 &&
         text.find_first_of("xX") != std::string::npos;
}

bool ParsePair(const std::string &text, double &x, double &y) {
  std::string first, second;
  const std::string number = WithoutMm(text);
  if (!SplitAtX(number, first, second)) {
    if (!ParseNumber(number, x) || x > kLargestPage) return false;
    y = x;
    return true;
  }
  return ParseNumber(first, x) && ParseNumber(second, y) && x <= kLargestPage && y <= kLargestPage;
}

bool ParseGrid(const std::string &text, int &columns, int &rows) {
  std::string first, second;
  if (!SplitAtX(text, first, second)) return false;
  for (const std::string *part : {&first, &second})
    if (part->empty() || part->size() > 4 ||
        part->find_first_not_of("0123456789") != std::string::npos)
      return false;
  columns = std::atoi(first.c_str());
  rows = std::atoi(second.c_str());
  return columns > 0 && rows > 0;
}

namespace {

// One axis of the grid: count from size, size from count, or both given.
struct Axis {
  double page, margin, gap;
  int &count;
  double &size;
  const char *name;
};

// Works out the axis' count or label size and where its first label
// starts; the error when it cannot (empty: resolved).
std::string ResolveAxis(Axis &axis, double &start) {
  const double margin = axis.margin < 0 ? 0 : axis.margin;
  const double room = axis.page - 2 * margin;
  if (axis.count <= 0 && axis.size <= 0)
    return std::string("the labels need a size or a number of ") + axis.name;
  if (axis.count <= 0) {
    // Whole labels only; a thousandth of a millimetre of slack for
    // sizes that fill the page exactly.
    axis.count = static_cast<int>(std::floor((room + axis.gap + 1e-3) / (axis.size + axis.gap)));
    if (axis.count <= 0) return "a label is larger than the page";
  } else if (axis.size <= 0) {
    axis.size = (room - (axis.count - 1) * axis.gap) / axis.count;
    if (axis.size <= 0) return std::string("no room on the page for so many ") + axis.name;
  }
  const double used = axis.count * axis.size + (axis.count - 1) * axis.gap;
  if (used > room + 1e-3) return std::string("the ") + axis.name + " of labels do not fit the page";
  start = axis.margin < 0 ? (axis.page - used) / 2 : margin;
  return std::string();
}

}  // namespace

qrplatform::Outcome MakeSheetLayout(const SheetRequest &given, SheetLayout &layout) {
  SheetRequest request = given;
  if (request.columns <= 0 && request.rows <= 0 && request.labelWidth <= 0 &&
      request.labelHeight <= 0) {
    // The common label size, as many as fit: 3 x 8 on A4.
    const SheetRequest standard = DefaultSheet();
    request.labelWidth = standard.labelWidth, request.labelHeight = standard.labelHeight;
  }
  if (request.pageWidth <= 0 || request.pageHeight <= 0)
    return qrplatform::Outcome::Failed("the page has no area");
  Axis axes[2] = {
      {request.pageWidth, request.marginX, request.gapX, request.columns, request.labelWidth,
       "columns"},
      {request.pageHeight, request.marginY, request.gapY, request.rows, request.labelHeight,
       "rows"},
  };
  double start[2];
  for (int i = 0; i < 2; ++i) {
    std::string error = ResolveAxis(axes[i], start[i]);
    if (!error.empty()) return qrplatform::Outcome::Failed(std::move(error));
  }
  if (static_cast<long long>(request.columns) * request.rows > kMostCells)
    return qrplatform::Outcome::Failed("more than 10000 labels on a page");
  if (request.first < 1 || request.first > request.columns * request.rows) {
    return qrplatform::Outcome::Failed("the first label must be a cell of the page (1 to " +
                                       std::to_string(request.columns * request.rows) + ")");
  }
  layout.pageWidth = request.pageWidth, layout.pageHeight = request.pageHeight;
  layout.columns = request.columns, layout.rows = request.rows;
  layout.labelWidth = request.labelWidth, layout.labelHeight = request.labelHeight;
  layout.left = start[0], layout.top = start[1];
  layout.gapX = request.gapX, layout.gapY = request.gapY;
  layout.first = request.first;
  layout.cutMarks = request.cutMarks;
  return qrplatform::Outcome::Done();
}

}  // namespace qrsheets
