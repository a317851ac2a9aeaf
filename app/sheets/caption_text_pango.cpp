// Captions through pango: fontconfig finds the family, cairo embeds the
// glyphs it uses as a subset font.
#include <glib.h>
#include <pango/pangocairo.h>

#include "caption_text.h"

namespace qrsheets {

namespace {
constexpr double kMmPerPt = 25.4 / 72;
constexpr double kStepPt = 0.5;
}  // namespace

struct CaptionText::Impl {
  cairo_t *cairo = nullptr;
  CaptionStyle style;
  PangoLayout *layout = nullptr;
  PangoFontDescription *font = nullptr;
  double width = 0;  // of the last layout, mm
  bool wrapped = false;

  // Unwrapped at `pt`; the layout's logical width in mm.
  double SetSize(double pt) {
    pango_font_description_set_absolute_size(font, pt * kMmPerPt * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return static_cast<double>(logical.width) / PANGO_SCALE;
  }
};

CaptionText::CaptionText(cairo_t *cairo, const CaptionStyle &style) : impl_(new Impl) {
  impl_->cairo = cairo;
  impl_->style = style;
  impl_->layout = pango_cairo_create_layout(cairo);
  // Outline metrics, not the screen's hinted ones: the text must measure
  // the same at any scale, as it prints.
  cairo_font_options_t *options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(pango_layout_get_context(impl_->layout), options);
  cairo_font_options_destroy(options);
  // Glyphs where the font puts them: whole user units (millimetres here)
  // would shift every letter.
  pango_context_set_round_glyph_positions(pango_layout_get_context(impl_->layout), FALSE);
  pango_layout_context_changed(impl_->layout);
  impl_->font = pango_font_description_new();
  pango_font_description_set_family(impl_->font, style.family.c_str());
  pango_layout_set_alignment(impl_->layout, PANGO_ALIGN_CENTER);
}

CaptionText::~CaptionText() {
  pango_font_description_free(impl_->font);
  g_object_unref(impl_->layout);
}

bool CaptionText::Fit(const std::string &utf8, double width, double &height) {
  Impl &d = *impl_;
  if (g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
    pango_layout_set_text(d.layout, utf8.data(), static_cast<int>(utf8.size()));
  } else {
    gchar *valid = g_utf8_make_valid(utf8.data(), static_cast<gssize>(utf8.size()));
    pango_layout_set_text(d.layout, valid, -1);
    g_free(valid);
  }
  pango_layout_set_width(d.layout, -1);
  d.wrapped = false;
  double pt = d.style.largestPt;
  for (;;) {
    d.width = d.SetSize(pt);
    if (d.width <= width) break;
    if (pt - kStepPt < d.style.smallestPt) {
      // Wrapped at the smallest size, breaking inside a word only where a
      // word is wider than the label.
      pango_layout_set_wrap(d.layout, PANGO_WRAP_WORD_CHAR);
      pango_layout_set_width(d.layout, static_cast<int>(width * PANGO_SCALE));
      d.width = width;
      d.wrapped = true;
      if (pango_layout_get_line_count(d.layout) > d.style.mostLines) return false;
      break;
    }
    pt -= kStepPt;
  }
  PangoRectangle logical;
  pango_layout_get_extents(d.layout, nullptr, &logical);
  height = static_cast<double>(logical.height) / PANGO_SCALE;
  return true;
}

void CaptionText::Draw(double centreX, double top) {
  Impl &d = *impl_;
  PangoRectangle logical;
  pango_layout_get_extents(d.layout, nullptr, &logical);
  const double left = d.wrapped
                          ? centreX - d.width / 2
                          : centreX - d.width / 2 - static_cast<double>(logical.x) / PANGO_SCALE;
  cairo_move_to(d.cairo, left, top);
  pango_cairo_show_layout(d.cairo, d.layout);
}

}  // namespace qrsheets
