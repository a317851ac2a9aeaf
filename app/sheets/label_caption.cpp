#include "label_caption.h"

#include <cmath>

#include "caption_text.h"

namespace qrsheets {

namespace {

// Whole units, a width given in points exactly staying whole.
int Units(double mm) { return static_cast<int>(std::floor(mm / kMmPerCaptionUnit + 1e-6)); }

int UnitsOfPt(double pt) { return static_cast<int>(std::lround(pt * 100)); }

}  // namespace

// Measured by the stack that sets every line whole: its glyph cache is for
// pixel sizes, not hundredths of a point.
LabelCaptions::LabelCaptions(const CaptionStyle &style)
    : style_(style), stack_(qrcaption::MakeUncachedTextStack()) {}

LabelCaptions::~LabelCaptions() = default;

const qrcaption::CaptionLayout &LabelCaptions::Lay(const std::string &utf8, double widthMm) {
  if (widthMm == lastWidth_ && utf8 == lastCaption_) return last_;
  lastCaption_ = utf8;
  lastWidth_ = widthMm;
  last_ = qrcaption::CaptionLayout();
  if (!stack_) return last_;
  const qrcaption::MeasureText measure = [this](std::string_view text, int size) {
    return stack_->Measure(text, size);
  };
  const std::string caption = qrcaption::CaptionText(utf8);
  qrcaption::CaptionBox box;
  box.width = Units(widthMm);
  box.largest = UnitsOfPt(style_.largestPt);
  box.smallest = UnitsOfPt(style_.smallestPt);
  box.height = style_.heightPt > 0 ? UnitsOfPt(style_.heightPt)
                                   : style_.mostLines * measure(caption, box.smallest).height;
  last_ = qrcaption::LayOutLines(caption, box, measure);
  return last_;
}

double CaptionHeightMm(const qrcaption::CaptionLayout &layout) {
  return static_cast<double>(layout.lineHeight) * static_cast<double>(layout.lines.size()) *
         kMmPerCaptionUnit;
}

}  // namespace qrsheets
