// The text stack that measures and draws captions: pango and cairo on
// Linux, GDI on Windows. One instance per thread; each keeps its own fonts.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qrcaption {

// The font captions ask for: it holds the CJK characters and Latin.
inline constexpr char kCaptionFont[] = "WenQuanYi Micro Hei";

// One line of text as the stack sets it.
struct TextExtent {
  int width = 0;          // advance of the whole line, in pixels
  int height = 0;         // the line's height (ascent and descent), in pixels
  int ascent = 0;         // from the line's top to its baseline, in pixels
  int missingGlyphs = 0;  // characters no font on the system could show
};

// An 8-bit band of ink coverage: 0 no ink, 255 full ink; rows top to
// bottom, `stride` bytes apart (a multiple of 4).
struct GreyBand {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<uint8_t> pixels;

  // Sized and cleared to no ink.
  void Reset(int bandWidth, int bandHeight);
  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
};

class TextStack {
 public:
  virtual ~TextStack() = default;
  // `utf8` on one line with a font of `pixelSize` pixels to the em.
  virtual TextExtent Measure(std::string_view utf8, int pixelSize) = 0;
  // Adds the line's ink to `band`, the line's box at (left, top); ink
  // outside the band is dropped.
  virtual void Draw(std::string_view utf8, int pixelSize, int left, int top, GreyBand &band) = 0;
};

// This system's text stack (pango and cairo, or GDI). Null when it cannot
// be set up.
std::unique_ptr<TextStack> MakeTextStack();

// The same stack shaping and drawing every line whole, as the cached one
// would without its glyphs: the reference it is checked against.
std::unique_ptr<TextStack> MakeUncachedTextStack();

}  // namespace qrcaption
