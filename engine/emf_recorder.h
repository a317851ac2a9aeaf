// Records a drawing as an enhanced metafile: device-unit mapping, window
// extent (width, height) and origin (0, 0), then fills as a solid brush and
// a pattern blit and lines with the player's current pen. Fills are clipped
// to the area, which is all a player shows.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_writer.h"
#include "draw_target.h"
#include "screen.h"

namespace qr {

class EmfRecorder : public DrawTarget {
 public:
  EmfRecorder(int width, int height);

  void FillRect(int left, int top, int right, int bottom, uint32_t colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  // The whole metafile: header (with `reference` as reference device),
  // the records and the end-of-file record. Call once, after drawing.
  std::vector<uint8_t> Finish(const ScreenMetrics &reference);

 private:
  void BeginRecord(uint32_t type, uint32_t size);
  uint32_t BrushFor(uint32_t colour);

  int width_, height_;
  ByteWriter records_;
  uint32_t recordCount_ = 0;
  std::vector<uint32_t> brushColours_;  // handle = position + 1
  uint32_t selectedBrush_ = 0;
};

}  // namespace qr
