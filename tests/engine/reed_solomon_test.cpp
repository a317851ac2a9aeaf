// Field arithmetic, generator polynomials, error correction and interleaving.
#include "reed_solomon.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

TEST(GaloisField, TablesAndProducts) {
  EXPECT_EQ(qr::gfExp[0], 1);
  EXPECT_EQ(qr::gfExp[8], 29);
  EXPECT_EQ(qr::gfExp[255], 1);
  EXPECT_EQ(qr::gfLog[1], 255);
  EXPECT_EQ(qr::gfLog[2], 1);
  for (int x = 2; x < 256; ++x) EXPECT_EQ(qr::gfExp[qr::gfLog[x]], x);
  EXPECT_EQ(qr::GfMultiply(1, 1), 1);
  EXPECT_EQ(qr::GfMultiply(77, 0), 0);
  EXPECT_EQ(qr::GfMultiply(0, 77), 0);
  EXPECT_EQ(qr::GfMultiply(2, 128), 29);
}

// Coefficients of g_e as exponents of alpha, highest power first, as the
// standard's annex lists them.
std::vector<int> ExponentForm(int degree) {
  const uint16_t *g = qr::GeneratorTable(degree);
  std::vector<int> exponents;
  for (int j = degree; j >= 0; --j) exponents.push_back(g[j] == 1 ? 0 : qr::gfLog[g[j]]);
  return exponents;
}

TEST(GeneratorTable, MatchesTheStandardsPolynomials) {
  EXPECT_EQ(ExponentForm(7), (std::vector<int>{0, 87, 229, 146, 149, 238, 102, 21}));
  EXPECT_EQ(ExponentForm(10), (std::vector<int>{0, 251, 67, 46, 61, 118, 70, 64, 94, 32, 45}));
  for (int e = 1; e <= qr::kMaxGeneratorDegree; ++e) {
    const uint16_t *g = qr::GeneratorTable(e);
    EXPECT_EQ(g[e], 1);
    // Every alpha^i, i < e, is a root.
    for (int i = 0; i < e; ++i) {
      unsigned value = 0;
      for (int j = e; j >= 0; --j) value = qr::GfMultiply(value, qr::gfExp[i]) ^ g[j];
      EXPECT_EQ(value, 0u) << "degree " << e << " root " << i;
    }
  }
}

TEST(ErrorCorrection, WorkedExample1M) {
  const uint8_t data[16] = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                            0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
  uint8_t ec[10];
  qr::ComputeErrorCorrection(data, 16, 10, ec);
  EXPECT_EQ(std::vector<int>(ec, ec + 10),
            (std::vector<int>{0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55}));

  // One block: the sequence is the data, then the error correction.
  uint8_t out[26];
  ASSERT_TRUE(qr::InterleaveWithErrorCorrection(data, qr::BlockLayoutOf(1, qr::kLevelM), out));
  EXPECT_EQ(std::vector<int>(out, out + 16), std::vector<int>(data, data + 16));
  EXPECT_EQ(std::vector<int>(out + 16, out + 26), std::vector<int>(ec, ec + 10));
}

TEST(ErrorCorrection, CodewordOfDataAndRemainderIsDivisible) {
  // data(x) * x^e + remainder(x) is a multiple of g_e: every alpha^i is a root.
  std::vector<uint8_t> data(97);
  std::iota(data.begin(), data.end(), 3);
  for (int e : {7, 18, 30, 40}) {
    std::vector<uint8_t> word(data);
    word.resize(data.size() + e);
    qr::ComputeErrorCorrection(data.data(), static_cast<int>(data.size()), e,
                               word.data() + data.size());
    for (int i = 0; i < e; ++i) {
      unsigned value = 0;
      for (uint8_t c : word) value = qr::GfMultiply(value, qr::gfExp[i]) ^ c;
      EXPECT_EQ(value, 0u) << "e " << e << " root " << i;
    }
  }
}

TEST(Interleaving, Version5Q) {
  // Two blocks of 15 data codewords and two of 16, 18 error codewords each.
  const qr::BlockLayout &layout = qr::BlockLayoutOf(5, qr::kLevelQ);
  std::vector<uint8_t> data(62);
  std::iota(data.begin(), data.end(), 0);  // codeword k has value k
  std::vector<uint8_t> out(134);
  ASSERT_TRUE(qr::InterleaveWithErrorCorrection(data.data(), layout, out.data()));
  const int starts[4] = {0, 15, 30, 46};
  for (int t = 0; t < 15; ++t)
    for (int b = 0; b < 4; ++b) EXPECT_EQ(out[4 * t + b], starts[b] + t);
  EXPECT_EQ(out[60], 30 + 15);  // 16th data codeword of block 3
  EXPECT_EQ(out[61], 46 + 15);  // and of block 4
  uint8_t ec[4][18];
  for (int b = 0; b < 4; ++b)
    qr::ComputeErrorCorrection(&data[starts[b]], b < 2 ? 15 : 16, 18, ec[b]);
  for (int t = 0; t < 18; ++t)
    for (int b = 0; b < 4; ++b) EXPECT_EQ(out[62 + 4 * t + b], ec[b][t]);
}

TEST(Interleaving, Version40HFillsAllCodewords) {
  const qr::BlockLayout &layout = qr::BlockLayoutOf(40, qr::kLevelH);
  EXPECT_EQ(layout.shortBlocks, 20);
  EXPECT_EQ(layout.longBlocks, 61);
  std::vector<uint8_t> data(1276, 0x5A);
  std::vector<uint8_t> out(3706 + 1, 0xFF);
  ASSERT_TRUE(qr::InterleaveWithErrorCorrection(data.data(), layout, out.data()));
  EXPECT_EQ(out[3706], 0xFF);  // nothing written past the sequence
  EXPECT_EQ(out[1275], 0x5A);
}

}  // namespace
