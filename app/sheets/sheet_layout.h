// Label sheets: the page, the grid of labels on it and where each label
// sits. Every length is in millimetres, measured from the page's top left.
#pragma once

#include <string>

#include "outcome.h"

namespace qrsheets {

// What the user asked for; zero (or negative) values are worked out.
struct SheetRequest {
  double pageWidth = 210, pageHeight = 297;  // A4
  int columns = 0, rows = 0;                 // 0: as many as fit
  double labelWidth = 0, labelHeight = 0;    // 0: the grid's share of the page
  double marginX = -1, marginY = -1;         // left/right and top/bottom; -1: centre the grid
  double gapX = 0, gapY = 0;                 // between labels
  int first = 1;                             // first cell used on the first page (1-based)
  bool cutMarks = false;
};

struct SheetLayout {
  double pageWidth = 0, pageHeight = 0;
  int columns = 0, rows = 0;
  double labelWidth = 0, labelHeight = 0;
  double left = 0, top = 0;  // the first label's corner
  double gapX = 0, gapY = 0;
  int first = 1;
  bool cutMarks = false;

  int cellsPerPage() const { return columns * rows; }
  // Top left corner of the cell `index` (0-based, row by row) on its page.
  double CellLeft(int index) const { return left + (index % columns) * (labelWidth + gapX); }
  double CellTop(int index) const {
    const int row = index / columns;  // whole rows above the cell
    return top + row * (labelHeight + gapY);
  }
};

// The common A4 sheet: 3 x 8 labels of 70 x 37 mm, centred.
SheetRequest DefaultSheet();

// Resolves `request`: a label size without a grid gets as many labels as
// fit; a grid without a label size shares the page among its labels; with
// neither, labels of 70 x 37 mm, as many as fit (3 x 8 on A4). Fails with
// why when the labels do not fit the page or a value is out of range
// (`layout` is then left as it was).
qrplatform::Outcome MakeSheetLayout(const SheetRequest &request, SheetLayout &layout);

// Values of the command line. Lengths are "X" or "Xmm" (millimetres).
bool ParseLength(const std::string &text, double &mm);
// "a4", "letter" or "WxHmm".
bool ParsePageSize(const std::string &text, double &width, double &height);
// "WxHmm" (a label) or "X[mm]" / "XxY[mm]" (margins, gaps: one value for both).
bool ParsePair(const std::string &text, double &x, double &y);
// "COLSxROWS".
bool ParseGrid(const std::string &text, int &columns, int &rows);

}  // namespace qrsheets
