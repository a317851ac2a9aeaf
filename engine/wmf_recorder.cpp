#include "wmf_recorder.h"

namespace qr {
namespace {

// Record functions of the Windows metafile format.
constexpr uint16_t kMetaEof = 0x0000;
constexpr uint16_t kMetaSetWindowOrg = 0x020B;
constexpr uint16_t kMetaSetWindowExt = 0x020C;
constexpr uint16_t kMetaLineTo = 0x0213;
constexpr uint16_t kMetaMoveTo = 0x0214;
constexpr uint16_t kMetaPatBlt = 0x061D;
constexpr uint16_t kMetaSelectObject = 0x012D;
constexpr uint16_t kMetaCreateBrushIndirect = 0x02FC;

constexpr uint32_t kPatCopy = 0x00F00021;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kMetaHeaderWords = 9;

uint16_t Word(int value) { return static_cast<uint16_t>(value); }

}  // namespace

WmfRecorder::WmfRecorder(int width, int height) : width_(width), height_(height) {
  Record(kMetaSetWindowExt, {Word(height), Word(width)});
  Record(kMetaSetWindowOrg, {0, 0});
}

void WmfRecorder::Record(uint16_t function, std::initializer_list<uint16_t> parameters) {
  const uint32_t words = 3 + static_cast<uint32_t>(parameters.size());
  if (words > largestRecordWords_) largestRecordWords_ = words;
  records_.Put32(words);
  records_.Put16(function);
  for (uint16_t parameter : parameters) records_.Put16(parameter);
}

uint16_t WmfRecorder::BrushFor(uint32_t colour) {
  for (size_t i = 0; i < brushColours_.size(); ++i)
    if (brushColours_[i] == colour) return static_cast<uint16_t>(i);
  // Solid brush: style 0, colour, hatch 0.
  Record(kMetaCreateBrushIndirect, {0, Word(colour & 0xFFFF), Word(colour >> 16), 0});
  brushColours_.push_back(colour);
  return static_cast<uint16_t>(brushColours_.size() - 1);
}

void WmfRecorder::FillRect(int left, int top, int right, int bottom, uint32_t colour) {
  // Only the area is shown; clipping keeps far-off modules from wrapping
  // around the 16-bit coordinates into it.
  if (!ClipToArea(left, top, right, bottom, width_, height_)) return;
  const uint16_t brush = BrushFor(colour);
  if (brush != selectedBrush_) {
    Record(kMetaSelectObject, {brush});
    selectedBrush_ = brush;
  }
  Record(kMetaPatBlt, {Word(kPatCopy & 0xFFFF), Word(kPatCopy >> 16), Word(bottom - top),
                       Word(right - left), Word(top), Word(left)});
}

void WmfRecorder::MoveTo(int x, int y) { Record(kMetaMoveTo, {Word(y), Word(x)}); }

void WmfRecorder::LineTo(int x, int y) { Record(kMetaLineTo, {Word(y), Word(x)}); }

std::vector<uint8_t> WmfRecorder::Finish(int unitsPerInch) {
  Record(kMetaEof, {});

  ByteWriter out;
  out.Put32(kPlaceableKey);
  out.Put16(0);  // metafile handle
  out.Put16(0), out.Put16(0), out.Put16(Word(width_)), out.Put16(Word(height_));
  out.Put16(Word(unitsPerInch));
  out.Put32(0);
  uint16_t checksum = 0;
  for (size_t i = 0; i < out.size(); i += 2)
    checksum ^= static_cast<uint16_t>(out.bytes()[i] | out.bytes()[i + 1] << 8);
  out.Put16(checksum);

  const uint32_t totalWords = kMetaHeaderWords + static_cast<uint32_t>(records_.size() / 2);
  out.Put16(1);  // in memory
  out.Put16(kMetaHeaderWords);
  out.Put16(0x0300);
  out.Put32(totalWords);
  out.Put16(static_cast<uint32_t>(brushColours_.size()));
  out.Put32(largestRecordWords_);
  out.Put16(0);
  out.PutBytes(records_.bytes().data(), records_.size());
  return std::move(out.bytes());
}

}  // namespace qr
