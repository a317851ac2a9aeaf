// Data analysis (one mode for the whole message) and the data bit stream:
// mode indicator, character count, data, terminator, codewords and padding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qr {

// The value is also the 4-bit mode indicator.
enum DataMode : int { kNumeric = 1, kAlphanumeric = 2, kByte = 4 };

// Value 0..44 of a character of the alphanumeric set, or -1.
int AlphanumericValue(unsigned char ch);

// Numeric when every byte is a digit (also for the empty message),
// alphanumeric when every byte is in the 45-character set, else byte.
DataMode ChooseDataMode(const unsigned char *message, int length);

// Width of the character count field for a mode and version.
int CountIndicatorBits(int dataMode, int version);

// Length of the stream before the terminator: mode, count and data bits.
long DataBitCount(int dataMode, int length, int version);

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

// Writes the data codewords of the message into data[0 .. capacity - 1]
// (capacity = data codewords of the chosen version and level) and returns
// the number of codewords cut from the stream before pad codewords.
// The message must fit (see ChooseVersion).
int WriteDataCodewords(const unsigned char *message, int length, DataMode mode,
                       int version, uint8_t *data, int capacity);

}  // namespace qr
