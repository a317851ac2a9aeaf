// Captions through pango and cairo: a font map of the stack's own (pango's
// default one is shared per thread), one layout reused for every line.
//
// Most captions are Latin and CJK characters that shape one glyph each:
// for those the stack shapes each character and each neighbouring pair
// once per size, keeps the glyphs' ink, and sets a line from them (pango,
// harfbuzz and cairo per line cost more than the rest of a label). A pair
// that shapes to anything but its two glyphs side by side (a ligature, a
// mark, another font), and any other character, sends the line through
// pango whole.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "text_stack.h"

namespace qrcaption {

namespace {

// Characters set one glyph to a character in any font a caption gets:
// printable Latin-1 (no soft hyphen) and CJK without combining forms.
bool SetAlone(gunichar c) {
  return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF && c != 0xAD) ||
         (c >= 0x3000 && c < 0x3100 && !(c >= 0x302A && c <= 0x302F) && c != 0x3099 &&
          c != 0x309A) ||
         (c >= 0x3400 && c < 0x4DC0) || (c >= 0x4E00 && c < 0xA000) ||
         (c >= 0xAC00 && c < 0xD7A4) || (c >= 0xFF01 && c < 0xFF61);
}

// One character shaped alone at one size, with its ink.
struct Glyph {
  bool alone = false;  // one known glyph: it may be set from here
  PangoGlyph glyph = 0;
  PangoFont *font = nullptr;
  int xOffset = 0, yOffset = 0;  // pango units
  int advance = 0, ascent = 0, descent = 0;
  int inkLeft = 0, inkTop = 0, inkWidth = 0, inkHeight = 0;  // from the pen at the line's top
  std::vector<uint8_t> ink;                                  // inkWidth x inkHeight coverage
};

class PangoTextStack : public TextStack {
 public:
  explicit PangoTextStack(bool cacheGlyphs) : cacheGlyphs_(cacheGlyphs) {
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
    probe_ = pango_layout_new(context_);
    // The CJK font first; fontconfig's sans-serif for what it lacks.
    font_ = pango_font_description_from_string((std::string(kCaptionFont) + ",sans-serif").c_str());
  }

  ~PangoTextStack() override {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    pango_font_description_free(font_);
    g_object_unref(probe_);
    g_object_unref(layout_);
    g_object_unref(context_);
    g_object_unref(fontMap_);
  }

  PangoTextStack(const PangoTextStack &) = delete;
  PangoTextStack &operator=(const PangoTextStack &) = delete;

  TextExtent Measure(std::string_view utf8, int pixelSize) override {
    if (SetFromGlyphs(utf8, pixelSize)) {
      TextExtent extent;
      for (size_t i = 0; i < line_.size(); ++i) {
        extent.ascent = std::max(extent.ascent, line_[i]->ascent);
        extent.height = std::max(extent.height, line_[i]->descent);  // the deepest, for now
      }
      extent.height += extent.ascent;
      extent.width = line_.empty() ? 0 : pens_.back() + line_.back()->advance;
      return extent;
    }
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
    if (SetFromGlyphs(utf8, pixelSize)) {
      int ascent = 0;
      for (const Glyph *glyph : line_) ascent = std::max(ascent, glyph->ascent);
      for (size_t i = 0; i < line_.size(); ++i)
        Stamp(*line_[i], left + pens_[i], top + ascent - line_[i]->ascent, band);
      return;
    }
    SetLine(utf8, pixelSize);
    if (!Target(band)) return;
    cairo_move_to(cr_, left, top);
    pango_cairo_show_layout(cr_, layout_);
    cairo_surface_flush(surface_);
  }

 private:
  // line_ and pens_: the line's glyphs and their pens' offsets from its
  // left, when every character and pair may be set from the cache.
  bool SetFromGlyphs(std::string_view utf8, int pixelSize) {
    if (!cacheGlyphs_ || utf8.empty()) return false;
    line_.clear();
    pens_.clear();
    gunichar previous = 0;
    for (const char *at = utf8.data(), *end = utf8.data() + utf8.size(); at < end;) {
      const gunichar c = g_utf8_get_char_validated(at, end - at);
      if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2) || !SetAlone(c))
        return false;
      const Glyph &glyph = GlyphOf(c, pixelSize);
      if (!glyph.alone) return false;
      int pen = 0;
      if (!line_.empty()) {
        const int step = PairStep(previous, c, pixelSize);
        if (step == kNotApart) return false;
        pen = pens_.back() + step;
      }
      line_.push_back(&glyph);
      pens_.push_back(pen);
      previous = c;
      at = g_utf8_next_char(at);
    }
    return true;
  }

  // The first glyph of the probe's only line, and how many it has.
  int ProbeGlyphs(const PangoGlyphInfo **first, PangoFont **firstFont,
                  const PangoGlyphInfo **second, PangoFont **secondFont) {
    if (pango_layout_get_line_count(probe_) != 1) return 0;
    PangoLayoutLine *line = pango_layout_get_line_readonly(probe_, 0);
    int count = 0;
    for (GSList *run = line->runs; run != nullptr; run = run->next) {
      const auto *item = static_cast<const PangoGlyphItem *>(run->data);
      for (int i = 0; i < item->glyphs->num_glyphs; ++i, ++count) {
        if (count == 0) *first = &item->glyphs->glyphs[i], *firstFont = item->item->analysis.font;
        if (count == 1) *second = &item->glyphs->glyphs[i], *secondFont = item->item->analysis.font;
      }
    }
    return count;
  }

  void SetProbe(const char *utf8, int length, int pixelSize) {
    if (pixelSize != probeSize_) {
      pango_font_description_set_absolute_size(font_, static_cast<double>(pixelSize) * PANGO_SCALE);
      pango_layout_set_font_description(probe_, font_);
      probeSize_ = pixelSize;
    }
    pango_layout_set_text(probe_, utf8, length);
  }

  const Glyph &GlyphOf(gunichar c, int pixelSize) {
    const uint64_t key = static_cast<uint64_t>(pixelSize) << 21 | c;
    const auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    Glyph &glyph = glyphs_[key];
    char utf8[6];
    SetProbe(utf8, g_unichar_to_utf8(c, utf8), pixelSize);
    const PangoGlyphInfo *info = nullptr, *unused = nullptr;
    PangoFont *font = nullptr, *unusedFont = nullptr;
    if (ProbeGlyphs(&info, &font, &unused, &unusedFont) != 1 ||
        (info->glyph & PANGO_GLYPH_UNKNOWN_FLAG) || info->glyph == PANGO_GLYPH_EMPTY ||
        pango_layout_get_unknown_glyphs_count(probe_) != 0)
      return glyph;
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(probe_, &ink, &logical);
    glyph.glyph = info->glyph;
    glyph.font = font;
    glyph.xOffset = info->geometry.x_offset;
    glyph.yOffset = info->geometry.y_offset;
    glyph.advance = logical.width;
    glyph.ascent = PANGO_PIXELS(pango_layout_get_baseline(probe_)) - logical.y;
    glyph.descent = logical.height - glyph.ascent;
    // A pixel round the ink rectangle for antialiasing's spill.
    glyph.inkLeft = ink.x - logical.x - 1;
    glyph.inkTop = ink.y - logical.y - 1;
    glyph.inkWidth = ink.width > 0 ? ink.width + 2 : 0;
    glyph.inkHeight = ink.height > 0 ? ink.height + 2 : 0;
    if (glyph.inkWidth > 0 && glyph.inkHeight > 0) {
      const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, glyph.inkWidth);
      std::vector<uint8_t> pixels(static_cast<size_t>(stride) * glyph.inkHeight, 0);
      cairo_surface_t *surface = cairo_image_surface_create_for_data(
          pixels.data(), CAIRO_FORMAT_A8, glyph.inkWidth, glyph.inkHeight, stride);
      cairo_t *cr = cairo_create(surface);
      cairo_set_source_rgba(cr, 0, 0, 0, 1);
      cairo_move_to(cr, -glyph.inkLeft - logical.x, -glyph.inkTop - logical.y);
      pango_cairo_show_layout(cr, probe_);
      cairo_surface_flush(surface);
      const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
      cairo_destroy(cr);
      cairo_surface_destroy(surface);
      if (!drawn) return glyph;
      glyph.ink.resize(static_cast<size_t>(glyph.inkWidth) * glyph.inkHeight);
      for (int y = 0; y < glyph.inkHeight; ++y)
        std::copy_n(pixels.data() + static_cast<size_t>(y) * stride, glyph.inkWidth,
                    glyph.ink.data() + static_cast<size_t>(y) * glyph.inkWidth);
    }
    glyph.alone = true;
    return glyph;
  }

  // From the pen of `a` to that of `b` after it (kerning included), or
  // kNotApart when the pair does not shape as the two glyphs alone.
  static constexpr int kNotApart = -1000000;
  int PairStep(gunichar a, gunichar b, int pixelSize) {
    const uint64_t key =
        static_cast<uint64_t>(pixelSize) << 42 | static_cast<uint64_t>(a) << 21 | b;
    const auto found = pairs_.find(key);
    if (found != pairs_.end()) return found->second;
    int &step = pairs_[key];
    step = kNotApart;
    const Glyph &first = GlyphOf(a, pixelSize), &second = GlyphOf(b, pixelSize);
    char utf8[12];
    const int length = g_unichar_to_utf8(a, utf8);
    SetProbe(utf8, length + g_unichar_to_utf8(b, utf8 + length), pixelSize);
    const PangoGlyphInfo *one = nullptr, *two = nullptr;
    PangoFont *oneFont = nullptr, *twoFont = nullptr;
    if (ProbeGlyphs(&one, &oneFont, &two, &twoFont) != 2) return step;
    const auto same = [](const Glyph &glyph, const PangoGlyphInfo *info, PangoFont *font) {
      return glyph.glyph == info->glyph && glyph.font == font &&
             glyph.xOffset == info->geometry.x_offset && glyph.yOffset == info->geometry.y_offset;
    };
    if (same(first, one, oneFont) && same(second, two, twoFont) &&
        one->geometry.width % PANGO_SCALE == 0)
      step = one->geometry.width / PANGO_SCALE;
    return step;
  }

  // Adds a glyph's ink with its pen at (penX, lineTop): coverage over
  // coverage, as cairo lays ink on an alpha surface.
  static void Stamp(const Glyph &glyph, int penX, int lineTop, GreyBand &band) {
    const int left = penX + glyph.inkLeft, top = lineTop + glyph.inkTop;
    const int x0 = std::max(0, -left), x1 = std::min(glyph.inkWidth, band.width - left);
    const int y0 = std::max(0, -top), y1 = std::min(glyph.inkHeight, band.height - top);
    for (int y = y0; y < y1; ++y) {
      const uint8_t *ink = glyph.ink.data() + static_cast<size_t>(y) * glyph.inkWidth;
      uint8_t *out = band.pixels.data() + static_cast<size_t>(top + y) * band.stride + left;
      for (int x = x0; x < x1; ++x) {
        const unsigned a = ink[x];
        if (a != 0) out[x] = static_cast<uint8_t>(a + (out[x] * (255 - a) + 127) / 255);
      }
    }
  }

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

  bool cacheGlyphs_;
  std::unordered_map<uint64_t, Glyph> glyphs_;  // by size and character
  std::unordered_map<uint64_t, int> pairs_;     // PairStep by size and pair
  std::vector<const Glyph *> line_;
  std::vector<int> pens_;
  PangoLayout *probe_ = nullptr;  // single characters and pairs
  int probeSize_ = 0;
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

std::unique_ptr<TextStack> MakeTextStack() { return std::make_unique<PangoTextStack>(true); }

std::unique_ptr<TextStack> MakeUncachedTextStack() {
  return std::make_unique<PangoTextStack>(false);
}

}  // namespace qrcaption
