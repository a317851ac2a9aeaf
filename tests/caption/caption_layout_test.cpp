// The caption layout over a fake font whose widths are known: Latin
// characters are 0.6 em wide, CJK 1 em, lines 1.25 em high.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caption_layout.h"
#include "caption_text.h"
#include "image_fit.h"

namespace qrcaption {
namespace {

int Characters(std::string_view text, int &wide) {
  int count = 0;
  wide = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;
    ++count;
    if (byte >= 0xE3) ++wide;  // U+3000 and up: the CJK of these tests
  }
  return count;
}

int fakeMeasures = 0;

TextExtent FakeMeasure(std::string_view text, int size) {
  ++fakeMeasures;
  int wide = 0;
  const int count = Characters(text, wide);
  TextExtent extent;
  extent.width = ((count - wide) * size * 6 + 9) / 10 + wide * size;
  extent.height = (size * 5 + 3) / 4;
  extent.ascent = size;
  return extent;
}

// The lines joined again: wrapping drops only the spaces it breaks at.
std::string Joined(const CaptionLayout &layout, bool spaced) {
  std::string text;
  for (const CaptionLine &line : layout.lines) {
    if (!text.empty() && spaced) text += ' ';
    text += line.text;
  }
  return text;
}

struct Case {
  const char *name;
  std::string caption;
  int width, band;
  bool fits;
  int lines;    // when it fits
  bool shrunk;  // a size below the largest
  bool spaced;  // the lines join with spaces (Latin words)
};

TEST(CaptionLayout, ShrinksThenWrapsThenFailsNeverCuts) {
  const std::string cjk = "资产编号一二三四五六七八九十";
  const Case cases[] = {
      {"short", "P000001", 200, 30, true, 1, false, true},
      {"shrinks", "Stainless bottle 750ml blue lot", 200, 30, true, 1, true, true},
      {"wraps", "This is a long caption that will need to wrap onto lines", 300, 45, true, 2, true,
       true},
      {"wraps CJK between characters", cjk + cjk, 200, 30, true, 2, true, false},
      {"breaks a long word", std::string(50, 'W'), 300, 45, true, 2, true, false},
      {"does not fit", std::string(200, 'W'), 200, 30, false, 0, false, false},
      {"too narrow", "ABC", 4, 30, false, 0, false, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const CaptionLayout layout = LayOutCaption(c.caption, c.width, c.band, FakeMeasure);
    ASSERT_EQ(layout.fits, c.fits);
    if (!c.fits) continue;
    ASSERT_EQ(static_cast<int>(layout.lines.size()), c.lines);
    EXPECT_EQ(layout.size < LargestCaptionPixels(c.band), c.shrunk);
    EXPECT_GE(layout.size, kSmallestCaptionPixels);
    EXPECT_EQ(Joined(layout, c.spaced), c.caption);
    const int padding = CaptionSidePadding(c.band);
    for (const CaptionLine &line : layout.lines) {
      const int width = FakeMeasure(line.text, layout.size).width;
      // Inside the band, clear of its sides, centred to a pixel.
      EXPECT_GE(line.left, padding) << line.text;
      EXPECT_LE(line.left + width, c.width - padding) << line.text;
      EXPECT_LE(std::abs(2 * line.left + width - c.width), 1) << line.text;
      EXPECT_GE(line.top, 0);
      EXPECT_LE(line.top + layout.lineHeight, c.band);
    }
  }
}

TEST(CaptionLayout, AnEmptyCaptionFitsWithoutLines) {
  const CaptionLayout layout = LayOutCaption("", 200, 30, FakeMeasure);
  EXPECT_TRUE(layout.fits);
  EXPECT_TRUE(layout.lines.empty());
}

TEST(CaptionLayout, MeasuresAFewTimesForAShrunkLine) {
  fakeMeasures = 0;
  LayOutCaption(std::string(25, 'x'), 200, 30, FakeMeasure);
  EXPECT_LE(fakeMeasures, 4);  // the size is estimated from the width, not stepped
}

TEST(CaptionText, ShowsEveryByteAndDropsOnlySurroundingBlanks) {
  EXPECT_EQ(CaptionText("  P0001\t蓝色 \r"), "P0001 蓝色");
  // GBK 蓝 is no UTF-8: each byte shows as U+FFFD.
  EXPECT_EQ(CaptionText("a\xC0\xB6z"), "a\xEF\xBF\xBD\xEF\xBF\xBDz");
  EXPECT_EQ(CaptionText("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate
  EXPECT_EQ(CaptionText("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(CaptionText(std::string("a\0b", 3)), "a b");
  EXPECT_EQ(CaptionText(" \t "), "");
}

TEST(CaptionBand, TheSmallestCaptionedHeightHoldsTheSymbol) {
  for (int symbol : {1, 21, 168, 232, 1000, 4321}) {
    const int height = batch::SmallestCaptionedHeight(symbol);
    const int band = batch::CaptionBandHeight(height);
    EXPECT_GE(band, 12);
    EXPECT_TRUE(batch::SymbolFitsImage(symbol, {symbol, height, band})) << symbol;
    EXPECT_FALSE(
        batch::SymbolFitsImage(symbol, {symbol, height - 1, batch::CaptionBandHeight(height - 1)}))
        << symbol;
  }
  EXPECT_EQ(batch::CaptionBandHeight(200), 30);
}

}  // namespace
}  // namespace qrcaption
