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

// Width of the character count field for a mode and version.
int CountIndicatorBits(int dataMode, int version);

// Bits of one segment in a symbol of `version`: mode indicator, then the
// designator, or the count and the data.
int64_t SegmentBitCount(const Segment &segment, int version);

// Length of the stream before the terminator: the sum over the segments.
int64_t StreamBitCount(const Segment *segments, int count, int version);

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
