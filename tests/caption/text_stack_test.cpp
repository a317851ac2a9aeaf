// The system's text stack with the caption font: CJK captions render with
// real glyphs, and the ink lands where the layout put it.
#include <gtest/gtest.h>

#include "caption_painter.h"

namespace qrcaption {
namespace {

long long InkIn(const GreyBand &band, int left, int top, int right, int bottom) {
  long long ink = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) ink += band.At(x, y);
  return ink;
}

TEST(TextStack, ChineseCaptionsHaveTheirGlyphs) {
  std::unique_ptr<TextStack> stack = MakeTextStack();
  ASSERT_NE(stack, nullptr);
  const TextExtent chinese = stack->Measure("资产编号 P000001", 20);
  EXPECT_EQ(chinese.missingGlyphs, 0) << "no font for Chinese: " << kCaptionFont;
  EXPECT_GT(chinese.width, 100);
  EXPECT_GE(chinese.height, 20);
  EXPECT_GT(chinese.ascent, 10);
  EXPECT_LT(chinese.ascent, chinese.height);
  // A character no font has (a private-use one) is reported, not hidden.
  EXPECT_GT(stack->Measure("\xF3\xB0\x80\x80", 20).missingGlyphs, 0);
}

TEST(TextStack, InkStaysInTheLaidOutLines) {
  CaptionPainter painter;
  ASSERT_TRUE(painter.ready());
  const int width = 300, band = 45;
  for (const char *caption : {"中文说明 12345", "Long caption text that wraps on two lines here"}) {
    SCOPED_TRACE(caption);
    const CaptionLayout layout = painter.Lay(caption, width, band);
    ASSERT_TRUE(layout.fits);
    const GreyBand &ink = painter.Paint(layout, width, band);
    long long inside = 0;
    for (const CaptionLine &line : layout.lines) {
      const int lineWidth = painter.stack().Measure(line.text, layout.size).width;
      inside +=
          InkIn(ink, line.left, line.top, line.left + lineWidth, line.top + layout.lineHeight);
    }
    const long long all = InkIn(ink, 0, 0, width, band);
    EXPECT_GT(all, 255LL * 100);  // a caption's worth of strokes
    // Nearly all of it inside the lines' boxes (antialiasing may spill a pixel).
    EXPECT_GE(inside * 100, all * 98);
    const int padding = CaptionSidePadding(band);
    EXPECT_EQ(InkIn(ink, 0, 0, padding - 1, band), 0);
    EXPECT_EQ(InkIn(ink, width - padding + 1, 0, width, band), 0);
  }
}

TEST(TextStack, ChineseGlyphsHoldMoreInkThanLatinOnes) {
  // A tofu box or a missing font would draw every character alike; the
  // strokes of 警 hold far more ink than those of 一.
  CaptionPainter painter;
  const auto inkOf = [&](const char *text) {
    const CaptionLayout layout = painter.Lay(text, 200, 30);
    const GreyBand &band = painter.Paint(layout, 200, 30);
    return InkIn(band, 0, 0, band.width, band.height);
  };
  EXPECT_GT(inkOf("警警警"), 3 * inkOf("一一一"));
}

}  // namespace
}  // namespace qrcaption
