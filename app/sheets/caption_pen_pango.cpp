// Caption lines through pango: fontconfig finds the caption font, cairo
// embeds the glyphs it uses as a subset font. Each line is set whole as it
// was laid out: pango wraps nothing here.
#include <pango/pangocairo.h>

#include <string>

#include "label_caption.h"

namespace qrsheets {

struct CaptionPen::Impl {
  cairo_t *cairo = nullptr;
  PangoLayout *layout = nullptr;
  PangoFontDescription *font = nullptr;
};

CaptionPen::CaptionPen(cairo_t *cairo) : impl_(new Impl) {
  impl_->cairo = cairo;
  impl_->layout = pango_cairo_create_layout(cairo);
  PangoContext *context = pango_layout_get_context(impl_->layout);
  // Outline metrics, not the screen's hinted ones: the text must measure
  // the same at any scale, as it prints.
  cairo_font_options_t *options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  // Glyphs where the font puts them: whole user units (millimetres here)
  // would shift every letter.
  pango_context_set_round_glyph_positions(context, FALSE);
  pango_layout_context_changed(impl_->layout);
  // The text stack's font, which measured the lines.
  impl_->font = pango_font_description_from_string(
      (std::string(qrcaption::kCaptionFont) + ",sans-serif").c_str());
}

CaptionPen::~CaptionPen() {
  pango_font_description_free(impl_->font);
  g_object_unref(impl_->layout);
}

void CaptionPen::Draw(const qrcaption::CaptionLayout &layout, double centreX, double top) {
  Impl &d = *impl_;
  pango_font_description_set_absolute_size(d.font, layout.size * kMmPerCaptionUnit * PANGO_SCALE);
  pango_layout_set_font_description(d.layout, d.font);
  const double lineHeight = layout.lineHeight * kMmPerCaptionUnit;
  for (const qrcaption::CaptionLine &line : layout.lines) {
    pango_layout_set_text(d.layout, line.text.data(), static_cast<int>(line.text.size()));
    cairo_move_to(d.cairo, centreX - line.width * kMmPerCaptionUnit / 2, top);
    pango_cairo_show_layout(d.cairo, d.layout);
    top += lineHeight;
  }
}

}  // namespace qrsheets
