#include "label_sheet_pdf.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cstdio>

namespace qrsheets {

namespace {

constexpr double kPtPerMm = 72 / 25.4;
constexpr double kCutMarkMm = 5, kCutMarkClearMm = 1;

std::string Millimetres(double mm, int decimals = 1) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f mm", decimals, mm);
  return text;
}

cairo_status_t WriteToSink(void *closure, const unsigned char *data, unsigned int length) {
  const auto &sink = *static_cast<LabelSheetPdf::Sink *>(closure);
  return sink(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

LabelPlacement PlaceLabel(double width, double height, const LabelStyle &style, int side,
                          double captionHeight) {
  LabelPlacement placement;
  const double innerWidth = width - 2 * style.paddingMm;
  const double innerHeight = height - 2 * style.paddingMm - captionHeight;
  placement.modules = side + 2 * style.quietZone;
  placement.roomMm = std::max(std::min(innerWidth, innerHeight), 0.0);
  placement.besideCaption = captionHeight > 0;
  const double module = style.moduleMm > 0 ? style.moduleMm : placement.roomMm / placement.modules;
  placement.module = module;
  if (placement.roomMm <= 0 || module * placement.modules > placement.roomMm * (1 + 1e-9) ||
      module < style.smallestModuleMm * (1 - 1e-9))
    return placement;
  const double codeSide = module * placement.modules;
  const double blockTop = (height - codeSide - captionHeight) / 2;
  placement.fits = true;
  placement.codeLeft = (width - codeSide) / 2 + style.quietZone * module;
  placement.codeTop = blockTop + style.quietZone * module;
  placement.captionTop = blockTop + codeSide;
  return placement;
}

std::string RefusalText(const LabelPlacement &refused, const LabelStyle &style) {
  if (refused.roomMm <= 0) return "the label has no room for a code beside its caption";
  const std::string modules = std::to_string(refused.modules) + " modules with the quiet zone";
  std::string reason;
  if (style.moduleMm <= 0 || style.moduleMm < style.smallestModuleMm) {
    // The largest module the label allows is below the floor.
    reason = "the code needs " + Millimetres(refused.modules * style.smallestModuleMm) + " (" +
             modules + " of at least " + Millimetres(style.smallestModuleMm, 2) +
             "), the label has room for " + Millimetres(refused.roomMm);
  } else {
    reason = "the code needs " + Millimetres(style.moduleMm * refused.modules) + " (" + modules +
             "), the label has room for " + Millimetres(refused.roomMm);
  }
  if (refused.besideCaption) reason += " beside its caption";
  return reason;
}

LabelSheetPdf::LabelSheetPdf(const SheetLayout &layout, const LabelStyle &style)
    : layout_(layout), style_(style), captions_(style.caption), cell_(layout.first - 1) {}

LabelSheetPdf::~LabelSheetPdf() {
  pen_.reset();
  if (cairo_) cairo_destroy(cairo_);
  if (surface_) {
    // A document given up (a stopped batch) lets go of its fonts as a
    // finished one does.
    cairo_surface_finish(surface_);
    cairo_surface_destroy(surface_);
  }
}

qrplatform::Outcome LabelSheetPdf::Open(Sink sink) {
  sink_ = std::move(sink);
  surface_ = cairo_pdf_surface_create_for_stream(WriteToSink, &sink_, layout_.pageWidth * kPtPerMm,
                                                 layout_.pageHeight * kPtPerMm);
  cairo_ = cairo_create(surface_);
  if (cairo_status(cairo_) != CAIRO_STATUS_SUCCESS)
    return qrplatform::Outcome::Failed(cairo_status_to_string(cairo_status(cairo_)));
  cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "qrbatch");
  // Millimetres from the page's top left from here on.
  cairo_scale(cairo_, kPtPerMm, kPtPerMm);
  pen_ = std::make_unique<CaptionPen>(cairo_);
  return qrplatform::Outcome::Done();
}

LabelSheetPdf::Added LabelSheetPdf::Add(const std::vector<uint8_t> &modules, int side,
                                        const std::string &caption) {
  const qrcaption::CaptionLayout &lines = captions_.Lay(caption, captionWidth());
  if (!lines.fits) {
    return {Refusal::kCaptionTooLong, "the caption does not fit the label in " +
                                          std::to_string(style_.caption.mostLines) + " lines"};
  }
  const double captionHeight = CaptionHeightMm(lines);
  placement_ = PlaceLabel(layout_.labelWidth, layout_.labelHeight, style_, side, captionHeight);
  const LabelPlacement &place = placement_;
  if (!place.fits) return {Refusal::kCodeTooLarge, RefusalText(place, style_)};

  if (cell_ == layout_.cellsPerPage()) {
    cairo_show_page(cairo_);
    cell_ = 0;
    pageMarked_ = false;
  }
  if (layout_.cutMarks && !pageMarked_) DrawCutMarks();
  pageMarked_ = true;
  const double left = layout_.CellLeft(cell_), top = layout_.CellTop(cell_);
  ++cell_;
  ++labels_;

  DarkRectangles(modules, side, rectangles_);
  const double x0 = left + place.codeLeft, y0 = top + place.codeTop, m = place.module;
  for (const ModuleRect &r : rectangles_)
    cairo_rectangle(cairo_, x0 + r.x * m, y0 + r.y * m, r.width * m, r.height * m);
  cairo_set_source_rgb(cairo_, 0, 0, 0);
  cairo_fill(cairo_);
  if (captionHeight > 0) pen_->Draw(lines, left + layout_.labelWidth / 2, top + place.captionTop);
  return Added();
}

std::optional<double> LabelSheetPdf::CaptionHeight(const std::string &caption) {
  const qrcaption::CaptionLayout &lines = captions_.Lay(caption, captionWidth());
  if (!lines.fits) return std::nullopt;
  return CaptionHeightMm(lines);
}

void LabelSheetPdf::DrawCutMarks() {
  // Short lines in the page's margins in line with every label edge,
  // where the margin has room for them.
  const SheetLayout &l = layout_;
  const double right = l.CellLeft(l.columns - 1) + l.labelWidth;
  const double bottom = l.CellTop(l.cellsPerPage() - 1) + l.labelHeight;
  const double topRoom = l.top - kCutMarkClearMm,
               bottomRoom = l.pageHeight - bottom - kCutMarkClearMm;
  const double leftRoom = l.left - kCutMarkClearMm,
               rightRoom = l.pageWidth - right - kCutMarkClearMm;
  for (int c = 0; c < l.columns; ++c) {
    for (double x : {l.CellLeft(c), l.CellLeft(c) + l.labelWidth}) {
      if (topRoom > 0) {
        cairo_move_to(cairo_, x, l.top - kCutMarkClearMm);
        cairo_line_to(cairo_, x, l.top - kCutMarkClearMm - std::min(kCutMarkMm, topRoom));
      }
      if (bottomRoom > 0) {
        cairo_move_to(cairo_, x, bottom + kCutMarkClearMm);
        cairo_line_to(cairo_, x, bottom + kCutMarkClearMm + std::min(kCutMarkMm, bottomRoom));
      }
    }
  }
  for (int r = 0; r < l.rows; ++r) {
    const double y0 = l.CellTop(r * l.columns);
    for (double y : {y0, y0 + l.labelHeight}) {
      if (leftRoom > 0) {
        cairo_move_to(cairo_, l.left - kCutMarkClearMm, y);
        cairo_line_to(cairo_, l.left - kCutMarkClearMm - std::min(kCutMarkMm, leftRoom), y);
      }
      if (rightRoom > 0) {
        cairo_move_to(cairo_, right + kCutMarkClearMm, y);
        cairo_line_to(cairo_, right + kCutMarkClearMm + std::min(kCutMarkMm, rightRoom), y);
      }
    }
  }
  cairo_set_source_rgb(cairo_, 0, 0, 0);
  cairo_set_line_width(cairo_, 0.1);
  cairo_stroke(cairo_);
}

qrplatform::Outcome LabelSheetPdf::Finish() {
  if (!cairo_) return qrplatform::Outcome::Failed("the document was not started");
  pen_.reset();
  cairo_destroy(cairo_);
  cairo_ = nullptr;
  cairo_surface_finish(surface_);
  const cairo_status_t status = cairo_surface_status(surface_);
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  if (status != CAIRO_STATUS_SUCCESS)
    return qrplatform::Outcome::Failed(cairo_status_to_string(status));
  return qrplatform::Outcome::Done();
}

}  // namespace qrsheets
