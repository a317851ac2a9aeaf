// Lines set from the stack's glyph cache against the same lines shaped and
// drawn whole: the same extents and the same 1-bit ink.
#include <gtest/gtest.h>

#include "caption_painter.h"

namespace qrcaption {
namespace {

// Pixels that land on the other side of the 1-bit threshold.
int BitsApart(const GreyBand &a, const GreyBand &b) {
  int apart = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) apart += (a.At(x, y) >= 128) != (b.At(x, y) >= 128);
  return apart;
}

TEST(GlyphCache, SetsLinesAsPangoDoesWhole) {
  std::unique_ptr<TextStack> cached = MakeTextStack(), whole = MakeUncachedTextStack();
  ASSERT_NE(cached, nullptr);
  ASSERT_NE(whole, nullptr);
  // Latin with kerning pairs and ligature candidates, CJK with Latin, a
  // mark and a script the cache leaves to pango, a missing character.
  const char *lines[] = {"资产编号 P000001",  "AVATAR Ty. fi ffl Wa", "Stainless bottle 750ml & co",
                         "警告：高压 ＡＢＣ", "café Ärger ½",         "e\xCC\x81 accent",
                         "مرحبا 12",          "\xF3\xB0\x80\x80 x",   "P000001P000002"};
  for (const int size : {10, 13, 20, 27}) {
    for (const char *line : lines) {
      SCOPED_TRACE(std::string(line) + " at " + std::to_string(size));
      for (int twice = 0; twice < 2; ++twice) {  // the second time from the cache
        const TextExtent a = cached->Measure(line, size), b = whole->Measure(line, size);
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.height, b.height);
        EXPECT_EQ(a.ascent, b.ascent);
        EXPECT_EQ(a.missingGlyphs, b.missingGlyphs);
        GreyBand bandA, bandB;
        bandA.Reset(a.width + 20, a.height + 6);
        bandB.Reset(a.width + 20, a.height + 6);
        cached->Draw(line, size, 10, 3, bandA);
        whole->Draw(line, size, 10, 3, bandB);
        EXPECT_LE(BitsApart(bandA, bandB), 2);
        // Cut at the band's edges alike.
        bandA.Reset(a.width / 2, a.height);
        bandB.Reset(a.width / 2, a.height);
        cached->Draw(line, size, -3, -2, bandA);
        whole->Draw(line, size, -3, -2, bandB);
        EXPECT_LE(BitsApart(bandA, bandB), 2);
      }
    }
  }
}

TEST(GlyphCache, KeptLayoutsAreThoseOfTheirBand) {
  CaptionPainter painter;
  ASSERT_TRUE(painter.ready());
  std::unique_ptr<TextStack> whole = MakeUncachedTextStack();
  const MeasureText measure = [&](std::string_view text, int size) {
    return whole->Measure(text, size);
  };
  const char *caption = "Stainless bottle 750ml, blue, lot 2021-07 资产";
  for (int round = 0; round < 2; ++round) {
    for (const int width : {400, 200, 120}) {
      SCOPED_TRACE(width);
      const CaptionLayout kept = painter.Lay(caption, width, 40);
      const CaptionLayout fresh = LayOutCaption(caption, width, 40, measure);
      EXPECT_EQ(kept.fits, fresh.fits);
      EXPECT_EQ(kept.size, fresh.size);
      ASSERT_EQ(kept.lines.size(), fresh.lines.size());
      for (size_t i = 0; i < kept.lines.size(); ++i) {
        EXPECT_EQ(kept.lines[i].text, fresh.lines[i].text);
        EXPECT_EQ(kept.lines[i].left, fresh.lines[i].left);
        EXPECT_EQ(kept.lines[i].top, fresh.lines[i].top);
      }
    }
  }
}

}  // namespace
}  // namespace qrcaption
