// Data analysis (one mode for the whole message) and the data bit stream
// of a list of segments: per segment its mode indicator, then an ECI
// designator or a character count and the data; then terminator, codewords
// and padding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app_api/symbol_segments.h"

namespace qr {

// Value 0..44 of a character of the alphanumeric set, or -1.
int AlphanumericValue(unsigned char ch);

// Numeric when every byte is a digit (also for the empty message),
// alphanumeric when every byte is in the 45-character set, else byte.
DataMode ChooseDataMode(const unsigned char *message, int length);

// Bit counts are inline: the version choice sums them for every symbol.

// Width of the character count field for a mode and version.
inline int CountIndicatorBits(int dataMode, int version) {
  // ISO/IEC 18004 Table 3, for versions 1-9, 10-26 and 27-40.
  const int group = version <= 9 ? 0 : version <= 26 ? 1 : 2;
  static constexpr int kNumericBits[] = {10, 12, 14};
  static constexpr int kAlphanumericBits[] = {9, 11, 13};
  static constexpr int kByteBits[] = {8, 16, 16};
  switch (dataMode) {
    case kNumeric: return kNumericBits[group];
    case kAlphanumeric: return kAlphanumericBits[group];
    default: return kByteBits[group];
  }
}

// An ECI designator takes 1, 2 or 3 bytes, led by 0, 10 or 110.
inline int EciDesignatorBits(uint32_t designator) {
  return designator < (1u << 7) ? 8 : designator < (1u << 14) ? 16 : 24;
}

// Segments longer than this cannot fit any symbol; their bit count is
// given as kBeyondAnySymbol, which keeps the sums far from overflow.
constexpr size_t kLongestSegment = 1 << 20;
constexpr int64_t kBeyondAnySymbol = int64_t{1} << 40;

// Bits of one segment in a symbol of `version`: mode indicator, then the
// designator, or the count and the data.
inline int64_t SegmentBitCount(const Segment &segment, int version) {
  if (segment.mode == kEci) return 4 + EciDesignatorBits(segment.eciDesignator);
  if (segment.length > kLongestSegment) return kBeyondAnySymbol;
  const int64_t n = static_cast<int64_t>(segment.length);
  int64_t dataBits;
  switch (segment.mode) {
    case kNumeric: {
      static constexpr int kTailBits[] = {0, 4, 7};
      dataBits = 10 * (n / 3) + kTailBits[n % 3];
      break;
    }
    case kAlphanumeric: dataBits = 11 * (n / 2) + 6 * (n % 2); break;
    default: dataBits = 8 * n; break;
  }
  return 4 + CountIndicatorBits(segment.mode, version) + dataBits;
}

// Length of the stream before the terminator: the sum over the segments.
inline int64_t StreamBitCount(const Segment *segments, int count, int version) {
  int64_t bits = 0;
  for (int i = 0; i < count; ++i) bits += SegmentBitCount(segments[i], version);
  return bits;
}

// True when every data segment lies inside message[0 .. length - 1] and
// holds only bytes its mode can encode, and every designator is at most
// 999,999.
bool SegmentsValid(const unsigned char *message, size_t length, const Segment *segments, int count);

// Bits appended most significant first into a zeroed byte buffer.
class BitStream {
 public:
  BitStream(uint8_t *bytes, size_t capacityBits) : bytes_(bytes), capacityBits_(capacityBits) {}
  void Append(uint32_t value, int width);
  size_t length() const { return length_; }
  size_t capacity() const { return capacityBits_; }

 private:
  uint8_t *bytes_;
  size_t capacityBits_;
  size_t length_ = 0;
};

// Writes the data codewords of the segments of `message` into
// data[0 .. capacity - 1] (capacity = data codewords of the chosen version
// and level) and returns the number of codewords cut from the stream before
// pad codewords. The segments must be valid and fit (see ChooseVersion).
int WriteDataCodewords(const unsigned char *message, const Segment *segments, int count,
                       int version, uint8_t *data, int capacity);

}  // namespace qr
