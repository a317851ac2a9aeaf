#include "data_encoding.h"

#include <cassert>
#include <cstring>

namespace qr {

int AlphanumericValue(unsigned char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 10;
  switch (ch) {
    case ' ': return 36;
    case '$': return 37;
    case '%': return 38;
    case '*': return 39;
    case '+': return 40;
    case '-': return 41;
    case '.': return 42;
    case '/': return 43;
    case ':': return 44;
    default: return -1;
  }
}

DataMode ChooseDataMode(const unsigned char *message, int length) {
  DataMode mode = kNumeric;
  for (int i = 0; i < length; ++i) {
    unsigned char ch = message[i];
    if (ch >= '0' && ch <= '9') continue;
    if (AlphanumericValue(ch) < 0) return kByte;
    mode = kAlphanumeric;
  }
  return mode;
}

namespace {

bool InMode(unsigned char ch, int mode) {
  switch (mode) {
    case kNumeric: return ch >= '0' && ch <= '9';
    case kAlphanumeric: return AlphanumericValue(ch) >= 0;
    default: return true;
  }
}

}  // namespace

bool SegmentsValid(const unsigned char *message, size_t length, const Segment *segments,
                   int count) {
  for (int i = 0; i < count; ++i) {
    const Segment &segment = segments[i];
    switch (segment.mode) {
      case kEci:
        if (segment.eciDesignator > kMaxEciDesignator) return false;
        continue;
      case kNumeric:
      case kAlphanumeric:
      case kByte: break;
      default: return false;
    }
    if (segment.offset > length || segment.length > length - segment.offset) return false;
    for (size_t k = 0; k < segment.length; ++k)
      if (!InMode(message[segment.offset + k], segment.mode)) return false;
  }
  return true;
}

void BitStream::Append(uint32_t value, int width) {
  assert(length_ + width <= capacityBits_);
  // As many bits at a time as the current byte has room for.
  while (width > 0) {
    const int room = 8 - static_cast<int>(length_ & 7);
    const int take = width < room ? width : room;
    const uint32_t bits = (value >> (width - take)) & ((1u << take) - 1);
    bytes_[length_ >> 3] |= static_cast<uint8_t>(bits << (room - take));
    length_ += static_cast<size_t>(take);
    width -= take;
  }
}

namespace {

// The most data codewords of any symbol (40-L), in pad codewords.
constexpr int kMostDataCodewords = 2956;
struct PadRun {
  uint8_t bytes[kMostDataCodewords];
};
constexpr PadRun MakePadRun() {
  PadRun run{};
  for (int k = 0; k < kMostDataCodewords; ++k) run.bytes[k] = k % 2 == 0 ? 0xEC : 0x11;
  return run;
}
constexpr PadRun kPadRun = MakePadRun();

void AppendSegment(BitStream &stream, const unsigned char *message, const Segment &segment,
                   int version) {
  // The mode indicator goes in with the field after it: one append.
  const uint32_t mode = static_cast<uint32_t>(segment.mode);
  if (segment.mode == kEci) {
    const uint32_t designator = segment.eciDesignator;
    const int bits = EciDesignatorBits(designator);
    const uint32_t lead = bits == 8 ? 0u : bits == 16 ? 0x8000u : 0xC00000u;
    stream.Append(mode << bits | lead | designator, 4 + bits);
    return;
  }
  const unsigned char *text = message + segment.offset;
  const int length = static_cast<int>(segment.length);
  const int countBits = CountIndicatorBits(segment.mode, version);
  stream.Append(mode << countBits | static_cast<uint32_t>(length), 4 + countBits);

  int i = 0;
  switch (segment.mode) {
    case kNumeric:
      for (; i + 3 <= length; i += 3)
        stream.Append((text[i] - '0') * 100 + (text[i + 1] - '0') * 10 + (text[i + 2] - '0'), 10);
      if (length - i == 2) stream.Append((text[i] - '0') * 10 + (text[i + 1] - '0'), 7);
      if (length - i == 1) stream.Append(text[i] - '0', 4);
      break;
    case kAlphanumeric:
      for (; i + 2 <= length; i += 2)
        stream.Append(45 * AlphanumericValue(text[i]) + AlphanumericValue(text[i + 1]), 11);
      if (i < length) stream.Append(AlphanumericValue(text[i]), 6);
      break;
    default:
      for (; i < length; ++i) stream.Append(text[i], 8);
      break;
  }
}

}  // namespace

int WriteDataCodewords(const unsigned char *message, const Segment *segments, int count,
                       int version, uint8_t *data, int capacity) {
  std::memset(data, 0, static_cast<size_t>(capacity));
  BitStream stream(data, 8u * static_cast<size_t>(capacity));
  for (int i = 0; i < count; ++i) AppendSegment(stream, message, segments[i], version);

  // Terminator: up to four zero bits, as many as fit. The buffer is zeroed,
  // so only the length moves; a partial last codeword is zero-filled below.
  size_t room = stream.capacity() - stream.length();
  size_t terminator = room < 4 ? room : 4;
  int codewordCount = static_cast<int>((stream.length() + terminator + 7) / 8);

  // Pad codewords 0xEC, 0x11 taking turns: copied from a run made once.
  assert(capacity <= kMostDataCodewords);
  std::memcpy(data + codewordCount, kPadRun.bytes, static_cast<size_t>(capacity - codewordCount));
  return codewordCount;
}

}  // namespace qr
