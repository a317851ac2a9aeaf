// Records a drawing as a Windows metafile (memory form) and wraps it into a
// placeable metafile file. Fills become a solid brush selected into the
// playing device and a pattern blit; lines use the player's current pen.
// Metafile coordinates are 16-bit: the area must fit them, and fills are
// clipped to it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "byte_writer.h"
#include "draw_target.h"

namespace qr {

class WmfRecorder : public DrawTarget {
 public:
  // Starts with window extent (width, height) and window origin (0, 0).
  WmfRecorder(int width, int height);

  void FillRect(int left, int top, int right, int bottom, uint32_t colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  // The 22-byte placeable header (bounding box 0, 0, width, height at
  // `unitsPerInch`), the metafile header and the records, closed by the
  // end-of-file record. Call once, after drawing.
  std::vector<uint8_t> Finish(int unitsPerInch);

 private:
  void Record(uint16_t function, std::initializer_list<uint16_t> parameters);
  uint16_t BrushFor(uint32_t colour);

  int width_, height_;
  ByteWriter records_;
  uint32_t largestRecordWords_ = 0;
  std::vector<uint32_t> brushColours_;  // object index = position
  int selectedBrush_ = -1;
};

}  // namespace qr
