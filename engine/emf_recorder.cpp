#include "emf_recorder.h"

#include <cstring>

namespace qr {
namespace {

// Record types of the enhanced metafile format.
constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmrSetWindowExtEx = 9;
constexpr uint32_t kEmrSetWindowOrgEx = 10;
constexpr uint32_t kEmrEof = 14;
constexpr uint32_t kEmrSetMapMode = 17;
constexpr uint32_t kEmrMoveToEx = 27;
constexpr uint32_t kEmrSelectObject = 37;
constexpr uint32_t kEmrCreateBrushIndirect = 39;
constexpr uint32_t kEmrLineTo = 54;
constexpr uint32_t kEmrBitBlt = 76;

constexpr uint32_t kHeaderSize = 108;
constexpr uint32_t kEofSize = 20;
constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kMapModeText = 1;         // device units
constexpr uint32_t kPatCopy = 0x00F00021;

uint32_t Dword(int value) { return static_cast<uint32_t>(value); }

}  // namespace

EmfRecorder::EmfRecorder(int width, int height) : width_(width), height_(height) {
  BeginRecord(kEmrSetMapMode, 12);
  records_.Put32(kMapModeText);
  BeginRecord(kEmrSetWindowExtEx, 16);
  records_.Put32(Dword(width)), records_.Put32(Dword(height));
  BeginRecord(kEmrSetWindowOrgEx, 16);
  records_.Put32(0), records_.Put32(0);
}

void EmfRecorder::BeginRecord(uint32_t type, uint32_t size) {
  records_.Put32(type);
  records_.Put32(size);
  ++recordCount_;
}

uint32_t EmfRecorder::BrushFor(uint32_t colour) {
  for (size_t i = 0; i < brushColours_.size(); ++i)
    if (brushColours_[i] == colour) return static_cast<uint32_t>(i + 1);
  brushColours_.push_back(colour);
  const uint32_t handle = static_cast<uint32_t>(brushColours_.size());
  BeginRecord(kEmrCreateBrushIndirect, 24);
  records_.Put32(handle);
  records_.Put32(0);  // solid
  records_.Put32(colour);
  records_.Put32(0);  // no hatch
  return handle;
}

void EmfRecorder::FillRect(int left, int top, int right, int bottom, uint32_t colour) {
  if (!ClipToArea(left, top, right, bottom, width_, height_)) return;
  const uint32_t brush = BrushFor(colour);
  if (brush != selectedBrush_) {
    BeginRecord(kEmrSelectObject, 12);
    records_.Put32(brush);
    selectedBrush_ = brush;
  }
  // A blit without source: bounds, destination, raster operation, then the
  // source fields all zero but an identity transform.
  BeginRecord(kEmrBitBlt, 100);
  records_.Put32(Dword(left)), records_.Put32(Dword(top)), records_.Put32(Dword(right - 1)),
      records_.Put32(Dword(bottom - 1));
  records_.Put32(Dword(left)), records_.Put32(Dword(top)), records_.Put32(Dword(right - left)),
      records_.Put32(Dword(bottom - top));
  records_.Put32(kPatCopy);
  records_.Put32(0), records_.Put32(0);  // source origin
  const float identity[6] = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
  for (float value : identity) {
    uint32_t bits;
    static_assert(sizeof bits == sizeof value, "32-bit float");
    std::memcpy(&bits, &value, sizeof bits);
    records_.Put32(bits);
  }
  records_.Put32(0);                              // source background colour
  records_.Put32(0);                              // source colour usage
  for (int i = 0; i < 4; ++i) records_.Put32(0);  // no source bitmap
}

void EmfRecorder::MoveTo(int x, int y) {
  BeginRecord(kEmrMoveToEx, 16);
  records_.Put32(Dword(x)), records_.Put32(Dword(y));
}

void EmfRecorder::LineTo(int x, int y) {
  BeginRecord(kEmrLineTo, 16);
  records_.Put32(Dword(x)), records_.Put32(Dword(y));
}

std::vector<uint8_t> EmfRecorder::Finish(const ScreenMetrics &reference) {
  BeginRecord(kEmrEof, kEofSize);
  records_.Put32(0);         // no palette entries
  records_.Put32(16);        // their offset
  records_.Put32(kEofSize);  // this record's size, repeated

  // Frame in hundredths of a millimetre on the reference device.
  const auto hundredthsOfMm = [](int pixels, int millimetres, int devicePixels) {
    return devicePixels > 0 ? static_cast<uint32_t>(static_cast<int64_t>(pixels) * millimetres *
                                                    100 / devicePixels)
                            : 0u;
  };

  ByteWriter out;
  out.Put32(kEmrHeader);
  out.Put32(kHeaderSize);
  out.Put32(0), out.Put32(0), out.Put32(Dword(width_ - 1)), out.Put32(Dword(height_ - 1));
  out.Put32(0), out.Put32(0);
  out.Put32(hundredthsOfMm(width_, reference.widthMillimetres, reference.widthPixels));
  out.Put32(hundredthsOfMm(height_, reference.heightMillimetres, reference.heightPixels));
  out.Put32(kSignature);
  out.Put32(0x00010000);
  out.Put32(kHeaderSize + static_cast<uint32_t>(records_.size()));
  out.Put32(recordCount_ + 1);
  out.Put16(static_cast<uint32_t>(brushColours_.size() + 1));  // handle 0 is reserved
  out.Put16(0);
  out.Put32(0), out.Put32(0);  // no description
  out.Put32(0);                // no palette
  out.Put32(Dword(reference.widthPixels)), out.Put32(Dword(reference.heightPixels));
  out.Put32(Dword(reference.widthMillimetres)), out.Put32(Dword(reference.heightMillimetres));
  out.Put32(0), out.Put32(0), out.Put32(0);  // no pixel format, no OpenGL
  out.Put32(Dword(reference.widthMillimetres * 1000)),
      out.Put32(Dword(reference.heightMillimetres * 1000));
  out.PutBytes(records_.bytes().data(), records_.size());
  return std::move(out.bytes());
}

}  // namespace qr
