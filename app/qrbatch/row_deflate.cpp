#include "row_deflate.h"

#include <cstring>

namespace qrbatch {

namespace {

// One Huffman code table for every image (a dynamic block whose code
// lengths never change): the bytes 0x00 and 0xFF, which a drawn symbol's
// rows are mostly made of, take 2 bits; end of block, the length codes and
// most other bytes 9; 56 bytes that no edge of an 8-pixel module makes take
// 10. Distances 1 and 2 take 4 bits, the others 5. Both codes are
// complete, as inflate requires.
constexpr int kLiteralCodes = 286;
constexpr int kDistanceCodes = 30;

struct Code {
  uint16_t bits;  // bit-reversed for a least-significant-bit-first stream
  uint8_t length;
};

struct CodeTables {
  uint8_t literalLength[kLiteralCodes];
  uint8_t distanceLength[kDistanceCodes];
  Code literal[kLiteralCodes];
  Code distance[kDistanceCodes];
};

constexpr uint16_t Reversed(uint16_t code, int length) {
  uint16_t reversed = 0;
  for (int i = 0; i < length; ++i) reversed = static_cast<uint16_t>(reversed | ((code >> i) & 1) << (length - 1 - i));
  return reversed;
}

// Canonical codes from code lengths (RFC 1951, 3.2.2).
constexpr void AssignCodes(const uint8_t *lengths, int count, Code *codes) {
  int lengthCount[16] = {};
  for (int i = 0; i < count; ++i) ++lengthCount[lengths[i]];
  lengthCount[0] = 0;
  int next[16] = {};
  int code = 0;
  for (int bits = 1; bits < 16; ++bits) {
    code = (code + lengthCount[bits - 1]) << 1;
    next[bits] = code;
  }
  for (int i = 0; i < count; ++i) {
    const int length = lengths[i];
    codes[i] = {Reversed(static_cast<uint16_t>(length ? next[length]++ : 0), length), static_cast<uint8_t>(length)};
  }
}

constexpr CodeTables MakeCodeTables() {
  CodeTables tables{};
  int tenBits = 56;
  for (int v = 0; v < kLiteralCodes; ++v) {
    // A byte where the symbol's edge falls inside it: ones then zeros, or
    // zeros then ones.
    const bool edge = v < 256 && ((((v ^ 0xFF) + 1) & (v ^ 0xFF)) == 0 || ((v + 1) & v) == 0);
    if (v == 0x00 || v == 0xFF) tables.literalLength[v] = 2;
    else if (v >= 0x80 && v < 256 && !edge && tenBits > 0) tables.literalLength[v] = 10, --tenBits;
    else tables.literalLength[v] = 9;
  }
  for (int d = 0; d < kDistanceCodes; ++d) tables.distanceLength[d] = d < 2 ? 4 : 5;
  AssignCodes(tables.literalLength, kLiteralCodes, tables.literal);
  AssignCodes(tables.distanceLength, kDistanceCodes, tables.distance);
  return tables;
}

constexpr CodeTables kTables = MakeCodeTables();

// The code-length code that sends the two tables: lengths 2, 9 and 10 in 2
// bits, 4 and 5 in 3; listed in deflate's order of code-length symbols.
constexpr uint8_t kLengthCodeOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
constexpr int kLengthCodesSent = 16;  // up to symbol 2, the last one used in that order

constexpr uint8_t LengthCodeLength(int symbol) {
  return symbol == 2 || symbol == 9 || symbol == 10 ? 2 : symbol == 4 || symbol == 5 ? 3 : 0;
}

struct LengthCodes {
  Code code[19];
};

constexpr LengthCodes MakeLengthCodes() {
  LengthCodes codes{};
  uint8_t lengths[19] = {};
  for (int symbol = 0; symbol < 19; ++symbol) lengths[symbol] = LengthCodeLength(symbol);
  AssignCodes(lengths, 19, codes.code);
  return codes;
}

constexpr LengthCodes kLengthCodes = MakeLengthCodes();

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                        33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t> &out) : out_(out) {}

  void Put(uint32_t bits, int count) {
    buffer_ |= static_cast<uint64_t>(bits) << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_.push_back(static_cast<uint8_t>(buffer_));
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }
  void Symbol(int value) { Put(kTables.literal[value].bits, kTables.literal[value].length); }
  void Flush() {
    if (filled_ > 0) out_.push_back(static_cast<uint8_t>(buffer_));
    buffer_ = 0;
    filled_ = 0;
  }

 private:
  std::vector<uint8_t> &out_;
  uint64_t buffer_ = 0;
  int filled_ = 0;
};

// One back-reference: 3 <= length <= 258, 1 <= distance <= 32768.
void PutMatch(BitWriter &writer, int length, int distance) {
  int l = 28;
  while (kLengthBase[l] > length) --l;
  writer.Symbol(257 + l);
  if (kLengthExtra[l]) writer.Put(static_cast<uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  int d = 29;
  while (kDistanceBase[d] > distance) --d;
  writer.Put(kTables.distance[d].bits, kTables.distance[d].length);
  if (kDistanceExtra[d]) writer.Put(static_cast<uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

// `total` bytes that repeat the data `distance` bytes back.
void PutRepeat(BitWriter &writer, size_t total, int distance, const uint8_t *source) {
  size_t done = 0;
  while (total - done >= 3) {
    size_t length = total - done > 258 ? 258 : total - done;
    if (total - done - length > 0 && total - done - length < 3) length -= 3;  // leave a usable rest
    PutMatch(writer, static_cast<int>(length), distance);
    done += length;
  }
  for (; done < total; ++done) writer.Symbol(source[done % static_cast<size_t>(distance)]);
}

// The block header: sizes of the tables, the code-length code, then the
// code lengths of both tables.
void PutCodeTables(BitWriter &writer) {
  writer.Put(kLiteralCodes - 257, 5);
  writer.Put(kDistanceCodes - 1, 5);
  writer.Put(kLengthCodesSent - 4, 4);
  for (int i = 0; i < kLengthCodesSent; ++i) writer.Put(LengthCodeLength(kLengthCodeOrder[i]), 3);
  for (uint8_t length : kTables.literalLength) writer.Put(kLengthCodes.code[length].bits, kLengthCodes.code[length].length);
  for (uint8_t length : kTables.distanceLength) writer.Put(kLengthCodes.code[length].bits, kLengthCodes.code[length].length);
}

// A row's bytes as literals, runs of nine or more equal bytes as a literal
// and a reference one byte back (shorter runs cost less as 2-bit literals).
void PutRow(BitWriter &writer, const uint8_t *bytes, size_t count) {
  size_t i = 0;
  while (i < count) {
    size_t run = 1;
    while (i + run < count && bytes[i + run] == bytes[i]) ++run;
    writer.Symbol(bytes[i]);
    if (run >= 9) {
      PutRepeat(writer, run - 1, 1, bytes + i);
    } else {
      for (size_t k = 1; k < run; ++k) writer.Symbol(bytes[i]);
    }
    i += run;
  }
}

// Adler-32 of the scanlines, one line at a time: a line's own sums are
// computed once, and each repetition of it is added in constant time.
class Adler32 {
 public:
  static constexpr uint64_t kBase = 65521;

  // Sums of a line: its byte sum, and the sum of each byte weighted by its
  // distance from the line's end.
  void Measure(const uint8_t *row, size_t rowBytes) {
    uint64_t sum = 0, weighted = 0;
    for (size_t i = 0; i < rowBytes; ++i) {
      sum += row[i];
      weighted += static_cast<uint64_t>(rowBytes - i) * row[i];  // the filter byte 0 adds nothing
    }
    lineSum_ = sum % kBase;
    lineWeighted_ = weighted % kBase;
    lineLength_ = (rowBytes + 1) % kBase;
  }
  // The measured line once more.
  void AddLine() {
    b_ = (b_ + lineLength_ * a_ + lineWeighted_) % kBase;
    a_ = (a_ + lineSum_) % kBase;
  }
  uint32_t value() const { return static_cast<uint32_t>(b_ << 16 | a_); }

 private:
  uint64_t a_ = 1, b_ = 0;
  uint64_t lineSum_ = 0, lineWeighted_ = 0, lineLength_ = 0;
};

}  // namespace

void DeflateScanlines(const uint8_t *const *rows, int count, size_t rowBytes, std::vector<uint8_t> &out) {
  const size_t lineBytes = rowBytes + 1;  // filter type byte 0, then the pixels
  out.push_back(0x78);  // deflate, 32 KiB window
  out.push_back(0x01);
  BitWriter writer(out);
  writer.Put(1, 1);  // final block
  writer.Put(2, 2);  // codes of its own
  PutCodeTables(writer);
  Adler32 adler;
  std::vector<uint8_t> previous(lineBytes, 0);  // the last line written out, filter byte first
  size_t pending = 0;  // bytes of lines equal to `previous` not yet written
  for (int y = 0; y < count; ++y) {
    const uint8_t *row = rows[y];
    if (y > 0 && std::memcmp(row, previous.data() + 1, rowBytes) == 0) {
      pending += lineBytes;
      adler.AddLine();
      continue;
    }
    PutRepeat(writer, pending, static_cast<int>(lineBytes), previous.data());
    pending = 0;
    std::memcpy(previous.data() + 1, row, rowBytes);
    adler.Measure(row, rowBytes);
    adler.AddLine();
    PutRow(writer, previous.data(), lineBytes);
  }
  PutRepeat(writer, pending, static_cast<int>(lineBytes), previous.data());
  writer.Symbol(256);  // end of block
  writer.Flush();
  const uint32_t sum = adler.value();
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(sum >> shift));
}

}  // namespace qrbatch
