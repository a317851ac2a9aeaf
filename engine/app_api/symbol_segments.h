// The pieces a message is encoded in, and how an encoding ends: shared by
// the engine and the programs that call it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qr {

// The value is also the 4-bit mode indicator.
enum DataMode : int { kNumeric = 1, kAlphanumeric = 2, kByte = 4, kEci = 7 };

// Highest ECI designator the standard's 24-bit form can carry.
constexpr uint32_t kMaxEciDesignator = 999999;

// One segment of the data bit stream: an ECI designator, or message bytes
// [offset, offset + length) in one mode. Segments name their bytes by
// position, not by address, so a plan stays valid when the message it was
// made for moves (a std::string's short text moves with the string).
struct Segment {
  DataMode mode = kByte;
  uint32_t eciDesignator = 0;  // kEci only
  size_t offset = 0;           // data segments only
  size_t length = 0;
};

inline Segment EciSegment(uint32_t designator) { return {kEci, designator, 0, 0}; }
inline Segment DataSegment(DataMode mode, size_t offset, size_t length) {
  return {mode, 0, offset, length};
}

enum class EncodeResult {
  kWritten,          // the symbol is built
  kTooLong,          // the segments do not fit version 40 at the level
  kOutOfMemory,      // memory ran short while building
  kInvalidSegments,  // a caller's segment lies outside the message, holds a byte its mode
                     // cannot encode, or names a designator above 999,999
};

}  // namespace qr
