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
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
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
    if (!Target(band)) return;
    cairo_move_to(cr_, left, top);
    pango_cairo_show_layout(cr_, layout_);
    cairo_surface_flush(surface_);
  }

 private:
  // The layout keeps its shaped text while neither text nor size changes:
  // a caption measured last is drawn without shaping it again.
  void SetLine(std::string_view utf8, int pixelSize) {
    if (pixelSize != pixelSize_) {
      pango_font_description_set_absolute_size(font_, static_cast<double>(pixelSize) * PANGO_SCALE);
      pango_layout_set_font_description(layout_, font_);
      pixelSize_ = pixelSize;
    }
    if (utf8 != text_) {
      text_.assign(utf8);
      pango_layout_set_text(layout_, text_.data(), static_cast<int>(text_.size()));
    }
  }

  // A cairo context drawing into the band's pixels, kept while they stay.
  bool Target(GreyBand &band) {
    if (surface_ && band.pixels.data() == targetPixels_ && band.width == targetWidth_ &&
        band.height == targetHeight_ && band.stride == targetStride_) {
      cairo_surface_mark_dirty(surface_);
      return true;
    }
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = cairo_image_surface_create_for_data(band.pixels.data(), CAIRO_FORMAT_A8, band.width,
                                                   band.height, band.stride);
    cr_ = cairo_create(surface_);
    cairo_set_source_rgba(cr_, 0, 0, 0, 1);  // A8 keeps the ink's coverage
    targetPixels_ = band.pixels.data();
    targetWidth_ = band.width;
    targetHeight_ = band.height;
    targetStride_ = band.stride;
    return cairo_status(cr_) == CAIRO_STATUS_SUCCESS;
  }

  PangoFontMap *fontMap_ = nullptr;
  PangoContext *context_ = nullptr;
  PangoLayout *layout_ = nullptr;
  PangoFontDescription *font_ = nullptr;
  int pixelSize_ = 0;
  std::string text_;
  cairo_surface_t *surface_ = nullptr;
  cairo_t *cr_ = nullptr;
  const uint8_t *targetPixels_ = nullptr;
  int targetWidth_ = 0, targetHeight_ = 0, targetStride_ = 0;
};

}  // namespace

std::unique_ptr<TextStack> MakeTextStack() { return std::make_unique<PangoTextStack>(); }

}  // namespace qrcaption
