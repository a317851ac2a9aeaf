// Mode choice, bit stream, codewords and version choice.
#include "data_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "version_tables.h"

namespace {

using qr::ChooseDataMode;

const unsigned char *Bytes(const std::string &s) {
  return reinterpret_cast<const unsigned char *>(s.data());
}

qr::DataMode ModeOf(const std::string &s) {
  return ChooseDataMode(Bytes(s), static_cast<int>(s.size()));
}

// Data codewords of `message` at version/level, as the encoder writes them.
std::vector<int> DataCodewords(const std::string &message, int version, int level,
                               int *cut = nullptr) {
  const int capacity = qr::DataCapacity(version, level);
  std::vector<uint8_t> data(static_cast<size_t>(capacity));
  const qr::Segment segment = qr::DataSegment(ModeOf(message), 0, message.size());
  int count = qr::WriteDataCodewords(Bytes(message), &segment, 1, version, data.data(), capacity);
  if (cut) *cut = count;
  return std::vector<int>(data.begin(), data.end());
}

int64_t DataBitCountFor(const std::string &message) {
  return qr::SegmentBitCount(qr::DataSegment(ModeOf(message), 0, message.size()), 1);
}

int VersionFor(const std::string &message, int level, int requested = 0) {
  const qr::Segment segment = qr::DataSegment(ModeOf(message), 0, message.size());
  return qr::ChooseVersion(&segment, 1, requested, level);
}

TEST(DataMode, OneModeForTheWholeMessage) {
  EXPECT_EQ(ModeOf(""), qr::kNumeric);
  EXPECT_EQ(ModeOf("0123456789"), qr::kNumeric);
  EXPECT_EQ(ModeOf("A1"), qr::kAlphanumeric);
  EXPECT_EQ(ModeOf("1A"), qr::kAlphanumeric);
  EXPECT_EQ(ModeOf("AC-42"), qr::kAlphanumeric);
  EXPECT_EQ(ModeOf(" $%*+-./:"), qr::kAlphanumeric);
  EXPECT_EQ(ModeOf("a"), qr::kByte);
  EXPECT_EQ(ModeOf("ABCa"), qr::kByte);
  EXPECT_EQ(ModeOf("12\x80"), qr::kByte);
  EXPECT_EQ(ModeOf("#"), qr::kByte);
}

TEST(BitStream, WorkedExampleNumeric) {
  // 01234567 at 1-M: the standard's worked example.
  int cut = 0;
  EXPECT_EQ(DataCodewords("01234567", 1, qr::kLevelM, &cut),
            (std::vector<int>{0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
                              0x11, 0xEC, 0x11, 0xEC, 0x11}));
  EXPECT_EQ(cut, 6);
}

TEST(BitStream, EmptyMessageAndShortGroups) {
  // Mode 0001, ten zero count bits, four terminator bits.
  std::vector<int> empty = DataCodewords("", 1, qr::kLevelL);
  EXPECT_EQ(std::vector<int>(empty.begin(), empty.begin() + 5),
            (std::vector<int>{0x10, 0x00, 0x00, 0xEC, 0x11}));

  // 12345: 0001 0000000101 0001111011 0101101 (45 in 7 bits) 0000.
  EXPECT_EQ(DataBitCountFor("12345"), 4 + 10 + 10 + 7);
  std::vector<int> five = DataCodewords("12345", 1, qr::kLevelH);
  EXPECT_EQ(std::vector<int>(five.begin(), five.begin() + 4),
            (std::vector<int>{0x10, 0x14, 0x7B, 0x5A}));
  // 1234: last digit alone in 4 bits.
  EXPECT_EQ(DataBitCountFor("1234"), 4 + 10 + 10 + 4);
}

TEST(BitStream, AlphanumericPairs) {
  // AC-42: 0010 000000101 00111001110 (462) 11100111001 (1849) 000010 (2) 0000
  std::vector<int> cw = DataCodewords("AC-42", 1, qr::kLevelL);
  EXPECT_EQ(std::vector<int>(cw.begin(), cw.begin() + 6),
            (std::vector<int>{0x20, 0x29, 0xCE, 0xE7, 0x21, 0x00}));
}

TEST(BitStream, BytesPassUnchanged) {
  const std::string gbk = "\xb2\xe2\xca\xd4";  // 测试
  std::vector<int> cw = DataCodewords(gbk, 1, qr::kLevelL);
  // 0100 00000100 then the bytes shifted by four bits.
  EXPECT_EQ(std::vector<int>(cw.begin(), cw.begin() + 6),
            (std::vector<int>{0x40, 0x4B, 0x2E, 0x2C, 0xAD, 0x40}));
}

TEST(BitStream, TerminatorAndPadding) {
  // 17 bytes fill 1-L exactly: 4 + 8 + 136 = 148 bits, room 4 → full terminator,
  // 152 bits = 19 codewords, no pad.
  int cut = 0;
  std::vector<int> full = DataCodewords(std::string(17, 'a'), 1, qr::kLevelL, &cut);
  EXPECT_EQ(cut, 19);
  EXPECT_EQ(full.back(), ('a' & 0x0F) << 4);

  // 41 digits at 1-L: 4 + 10 + 130 + 4 = 148 bits; 7 bytes at 1-H: 4+8+56 = 68 of 72.
  DataCodewords(std::string(41, '9'), 1, qr::kLevelL, &cut);
  EXPECT_EQ(cut, 19);
  // 25 alphanumerics at 1-L take 4 + 9 + 132 + 6 = 151 of 152 bits: room 1.
  std::vector<int> tight = DataCodewords(std::string(25, 'Z'), 1, qr::kLevelL, &cut);
  EXPECT_EQ(cut, 19);
  EXPECT_EQ(tight.back() & 0x01, 0);  // the single terminator bit
  // Padding starts with 0xEC right after the last cut codeword.
  std::vector<int> padded = DataCodewords("1", 1, qr::kLevelL, &cut);
  ASSERT_EQ(cut, 3);
  EXPECT_EQ(padded[3], 0xEC);
  EXPECT_EQ(padded[4], 0x11);
  EXPECT_EQ(padded[18], 0x11);
}

TEST(VersionChoice, CapacityEdges) {
  EXPECT_EQ(VersionFor(std::string(17, 'a'), qr::kLevelL), 1);
  EXPECT_EQ(VersionFor(std::string(18, 'a'), qr::kLevelL), 2);
  EXPECT_EQ(VersionFor(std::string(41, '1'), qr::kLevelL), 1);
  EXPECT_EQ(VersionFor(std::string(42, '1'), qr::kLevelL), 2);
  EXPECT_EQ(VersionFor(std::string(7, 'a'), qr::kLevelH), 1);
  EXPECT_EQ(VersionFor(std::string(8, 'a'), qr::kLevelH), 2);
  EXPECT_EQ(VersionFor(std::string(230, 'a'), qr::kLevelL), 9);
  EXPECT_EQ(VersionFor(std::string(231, 'a'), qr::kLevelL), 10);  // count field grows to 16 bits
  EXPECT_EQ(VersionFor(std::string(2953, 'a'), qr::kLevelL), 40);
  EXPECT_EQ(VersionFor(std::string(2954, 'a'), qr::kLevelL), 0);
  EXPECT_EQ(VersionFor(std::string(1273, 'a'), qr::kLevelH), 40);
  EXPECT_EQ(VersionFor(std::string(1274, 'a'), qr::kLevelH), 0);
  EXPECT_EQ(VersionFor(std::string(7089, '7'), qr::kLevelL), 40);
  EXPECT_EQ(VersionFor(std::string(7090, '7'), qr::kLevelL), 0);
  EXPECT_EQ(VersionFor(std::string(4296, 'A'), qr::kLevelL), 40);
  EXPECT_EQ(VersionFor(std::string(1852, 'A'), qr::kLevelH), 40);
  EXPECT_EQ(VersionFor(std::string(3057, '1'), qr::kLevelH), 40);
}

TEST(VersionChoice, RequestedVersionIsALowerBound) {
  EXPECT_EQ(VersionFor("123", qr::kLevelL, 5), 5);
  EXPECT_EQ(VersionFor(std::string(100, 'a'), qr::kLevelL, 1), 5);
  EXPECT_EQ(VersionFor("1", qr::kLevelH, 40), 40);
}

TEST(VersionTables, CapacitiesOfTheStandard) {
  EXPECT_EQ(qr::DataCapacity(1, qr::kLevelL), 19);
  EXPECT_EQ(qr::DataCapacity(1, qr::kLevelH), 9);
  EXPECT_EQ(qr::DataCapacity(40, qr::kLevelL), 2956);
  EXPECT_EQ(qr::DataCapacity(40, qr::kLevelH), 1276);
  for (int v = 1; v <= 40; ++v) {
    EXPECT_EQ(qr::symbolSide[v], 17 + 4 * v);
    for (int level = 0; level < 4; ++level) {
      const qr::BlockLayout &b = qr::BlockLayoutOf(v, level);
      EXPECT_EQ(b.shortBlocks * b.shortBlockLength + b.longBlocks * (b.shortBlockLength + 1),
                qr::totalCodewords[v])
          << "version " << v << " level " << level;
      EXPECT_EQ(b.ecTotal, b.blockCount() * b.ecPerBlock());
    }
  }
}

}  // namespace
