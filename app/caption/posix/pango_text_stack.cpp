// Captions through pango and cairo: a font map of the stack's own (pango's
// default one is shared per thread), one layout reused for every line.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

#include "text_stack.h"

namespace qrcaption {

namespace {

class PangoTextStack : public TextStack {
 public:
  PangoTextStack() {
    fontMap_ = pango_cairo_font_map_new();
    context_ = pango_font_map_create_context(fontMap_);
    // Grey antialiasing with hinted metrics: measured widths are the drawn
    // ones, whole pixels.
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    layout_ = pango_layout_new(context_);
    // The CJK font first; fontconfig's sans-serif for what it lacks.
    font_ = pango_font_description_from_string((std::string(kCaptionFont) + ",sans-serif").c_str());
  }

  ~PangoTextStack() override {
    pango_font_description_free(font_);
    g_object_unref(layout_);
    g_object_unref(context_);
    g_object_unref(fontMap_);
  }

  PangoTextStack(const PangoTextStack &) = delete;
  PangoTextStack &operator=(const PangoTextStack &) = delete;

  TextExtent Measure(std::string_view utf8, int pixelSize) override {
    SetLine(utf8, pixelSize);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout_, nullptr, &logical);
    TextExtent extent;
    extent.width = logical.width;
    extent.height = logical.height;
    extent.ascent = PANGO_PIXELS(pango_layout_get_baseline(layout_)) - logical.y;
    extent.missingGlyphs = pango_layout_get_unknown_glyphs_count(layout_);
    return extent;
  }

  void Draw(std::string_view utf8, int pixelSize, int left, int top, GreyBand &band) override {
    if (band.width <= 0 || band.height <= 0) return;
    SetLine(utf8, pixelSize);
    cairo_surface_t *surface = cairo_image_surface_create_for_data(
        band.pixels.data(), CAIRO_FORMAT_A8, band.width, band.height, band.stride);
    cairo_t *cr = cairo_create(surface);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);  // A8 keeps the ink's coverage
    cairo_move_to(cr, left, top);
    pango_cairo_show_layout(cr, layout_);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
  }

 private:
  void SetLine(std::string_view utf8, int pixelSize) {
    pango_font_description_set_absolute_size(font_, static_cast<double>(pixelSize) * PANGO_SCALE);
    pango_layout_set_font_description(layout_, font_);
    pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
  }

  PangoFontMap *fontMap_ = nullptr;
  PangoContext *context_ = nullptr;
  PangoLayout *layout_ = nullptr;
  PangoFontDescription *font_ = nullptr;
};

}  // namespace

std::unique_ptr<TextStack> MakeTextStack() { return std::make_unique<PangoTextStack>(); }

}  // namespace qrcaption
