// A batch's labels as one PDF: page after page of the sheet's grid, each
// code as vector modules at its exact physical size with its caption under
// it. Each page goes out as soon as it is full, so memory stays flat
// however many labels there are.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "label_caption.h"
#include "module_rectangles.h"
#include "outcome.h"
#include "picture_placement.h"
#include "sheet_layout.h"

namespace qrsheets {

struct LabelStyle {
  double moduleMm = 0;                     // 0: the largest module the label has room for
  int quietZone = qr::kStandardQuietZone;  // modules of white around the code
  double paddingMm = 1;                    // kept clear inside the label's edge
  // A module below this is refused rather than printed unreadable; 0: no floor.
  double smallestModuleMm = 0.25;
  CaptionStyle caption;
};

// Where a label's parts go, in mm from the label's top left.
struct LabelPlacement {
  bool fits = false;
  double module = 0;                 // module side
  double codeLeft = 0, codeTop = 0;  // the symbol's first module, quiet zone outside
  double captionTop = 0;             // the caption's top (when there is one)
  // What decided it: the code's side in modules with its quiet zone, and
  // the square the label leaves for them beside the caption.
  int modules = 0;
  double roomMm = 0;
  bool besideCaption = false;
};

// The placement of a side x side symbol and a caption `captionHeight` mm
// tall (0: none) on a `width` x `height` label: code and quiet zone above
// the caption, the two centred together. It does not fit when the module
// would be larger than the room allows or smaller than the style's floor.
LabelPlacement PlaceLabel(double width, double height, const LabelStyle &style, int side,
                          double captionHeight);
// Why a placement does not fit, with its numbers.
std::string RefusalText(const LabelPlacement &refused, const LabelStyle &style);

class LabelSheetPdf {
 public:
  // Receives the file's bytes in order; false stops the document.
  using Sink = std::function<bool(const unsigned char *data, size_t size)>;

  LabelSheetPdf(const SheetLayout &layout, const LabelStyle &style);
  ~LabelSheetPdf();
  LabelSheetPdf(const LabelSheetPdf &) = delete;
  LabelSheetPdf &operator=(const LabelSheetPdf &) = delete;

  // Starts the document. Fails with cairo's words when cairo cannot.
  qrplatform::Outcome Open(Sink sink);
  // What became of a label: placed, or refused with why.
  enum class Refusal { kNone, kCaptionTooLong, kCodeTooLarge };
  struct Added {
    Refusal refusal = Refusal::kNone;
    std::string reason;  // empty when placed
    bool placed() const { return refusal == Refusal::kNone; }
  };
  // The next label: a side x side symbol (`modules[y * side + x]` nonzero
  // for dark) and its caption (UTF-8, made a caption by CaptionText; empty
  // for none). A label that does not fit (its caption even at the smallest
  // size in the style's lines, or its code beside the caption) leaves its
  // cell for the next.
  Added Add(const std::vector<uint8_t> &modules, int side, const std::string &caption);
  // The height in mm `caption` takes on a label (0 for none), as Add lays
  // it out; none when it does not fit. Needs no open document.
  std::optional<double> CaptionHeight(const std::string &caption);
  // Finishes the last page and the document. Fails with cairo's words when
  // a write failed (at any time).
  qrplatform::Outcome Finish();

  int labels() const { return labels_; }
  // The placement Add tried last: for a code refused, its numbers.
  const LabelPlacement &lastPlacement() const { return placement_; }

 private:
  void DrawCutMarks();

  SheetLayout layout_;
  LabelStyle style_;
  Sink sink_;
  cairo_surface_t *surface_ = nullptr;
  cairo_t *cairo_ = nullptr;
  double captionWidth() const { return layout_.labelWidth - 2 * style_.paddingMm; }

  LabelCaptions captions_;
  std::unique_ptr<CaptionPen> pen_;
  std::vector<ModuleRect> rectangles_;
  LabelPlacement placement_;
  int cell_ = 0;  // the next free cell of the current page
  bool pageMarked_ = false;
  int labels_ = 0;
};

}  // namespace qrsheets
