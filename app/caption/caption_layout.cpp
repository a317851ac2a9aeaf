#include "caption_layout.h"

#include <algorithm>

#include "caption_wrap.h"

namespace qrcaption {

namespace {

// The lines at `size`, each centred across the box, the stack centred down
// it. `known`: the one line's extent, measured already.
CaptionLayout Placed(std::vector<std::string> texts, int size, const TextExtent &line,
                     const CaptionBox &box, const MeasureText &measure,
                     const TextExtent *known = nullptr) {
  CaptionLayout layout;
  layout.fits = true;
  layout.size = size;
  layout.lineHeight = line.height;
  layout.ascent = line.ascent;
  int top = (box.height - line.height * static_cast<int>(texts.size())) / 2;
  for (std::string &text : texts) {
    const int width = known ? known->width : measure(text, size).width;
    layout.lines.push_back({std::move(text), (box.width - width) / 2, top, width});
    top += line.height;
  }
  return layout;
}

// The caption on one line, shrunk as far as needed (a size estimated from
// the width, then checked); fits false when even the smallest is too wide.
CaptionLayout OneLine(std::string_view utf8, const CaptionBox &box, const MeasureText &measure) {
  for (int size = box.largest;;) {
    const TextExtent extent = measure(utf8, size);
    if (extent.width <= box.width && extent.height <= box.height)
      return Placed({std::string(utf8)}, size, extent, box, measure, &extent);
    if (size <= box.smallest) return CaptionLayout();
    int next = size - 1;
    if (extent.width > box.width)
      next =
          std::min(next, static_cast<int>(static_cast<long long>(size) * box.width / extent.width));
    size = std::max(next, box.smallest);
  }
}

// The largest size, from the smallest up to what `count` lines leave each
// (an estimate from the height, then checked and raised while it holds),
// at which `count` lines stack in the box; 0 when even the smallest does
// not. `line`: the extent at that size.
int StackedSize(std::string_view utf8, int count, const CaptionBox &box, const MeasureText &measure,
                TextExtent &line) {
  int highest = std::min(box.largest, box.height / count);
  const auto stacks = [&](const TextExtent &extent) { return extent.height * count <= box.height; };
  int size = highest;
  for (;;) {
    if (size < box.smallest) return 0;
    line = measure(utf8, size);
    if (stacks(line)) break;
    if (size == box.smallest) return 0;
    highest = size - 1;
    const long long estimate =
        static_cast<long long>(size) * box.height / (static_cast<long long>(count) * line.height);
    size = std::max(box.smallest, static_cast<int>(std::min<long long>(highest, estimate)));
  }
  while (size < highest) {
    const TextExtent larger = measure(utf8, size + 1);
    if (!stacks(larger)) break;
    line = larger;
    ++size;
  }
  return size;
}

}  // namespace

CaptionLayout LayOutLines(std::string_view utf8, const CaptionBox &box,
                          const MeasureText &measure) {
  if (utf8.empty()) {
    CaptionLayout none;
    none.fits = true;
    return none;
  }
  if (box.width <= 0 || box.height <= 0 || box.smallest <= 0) return CaptionLayout();
  CaptionLayout layout = OneLine(utf8, box, measure);
  if (layout.fits) return layout;
  // Wrapped: n lines at the largest size that stacks n in the box.
  std::vector<std::string> lines;
  for (int count = 2;; ++count) {
    TextExtent line;
    const int size = StackedSize(utf8, count, box, measure, line);
    if (size == 0) return CaptionLayout();  // does not fit
    if (WrapLines(utf8, size, box.width, measure, lines) && static_cast<int>(lines.size()) <= count)
      return Placed(std::move(lines), size, line, box, measure);
  }
}

int LargestCaptionPixels(int bandHeight) {
  return std::max(kSmallestCaptionPixels, bandHeight * 2 / 3);
}

int CaptionSidePadding(int bandHeight) { return std::max(1, bandHeight / 6); }

CaptionBox BandBox(int width, int bandHeight) {
  CaptionBox box;
  box.width = width - 2 * CaptionSidePadding(bandHeight);
  box.height = bandHeight;
  box.largest = LargestCaptionPixels(bandHeight);
  box.smallest = kSmallestCaptionPixels;
  return box;
}

CaptionLayout LayOutCaption(std::string_view utf8, int width, int bandHeight,
                            const MeasureText &measure) {
  CaptionLayout layout = LayOutLines(utf8, BandBox(width, bandHeight), measure);
  const int padding = CaptionSidePadding(bandHeight);
  for (CaptionLine &line : layout.lines) line.left += padding;
  return layout;
}

}  // namespace qrcaption
