#include "reed_solomon.h"

#include <cstddef>
#include <cstring>
#include <memory>

#include "version_cache.h"

namespace qr {

namespace {

constexpr std::array<uint16_t, 256> MakeExpTable() {
  std::array<uint16_t, 256> table{};
  unsigned x = 1;
  for (int i = 0; i < 255; ++i) {
    table[i] = static_cast<uint16_t>(x);
    x <<= 1;
    if (x & 0x100) x ^= 0x11D;
  }
  table[255] = 1;
  return table;
}

constexpr std::array<uint16_t, 256> MakeLogTable() {
  std::array<uint16_t, 256> table{};
  std::array<uint16_t, 256> exp = MakeExpTable();
  for (int i = 1; i < 255; ++i) table[exp[i]] = static_cast<uint16_t>(i);
  table[1] = 255;
  return table;
}

constexpr unsigned ConstMultiply(unsigned a, unsigned b) {
  unsigned product = 0;
  for (; b != 0; b >>= 1) {
    if (b & 1) product ^= a;
    a <<= 1;
    if (a & 0x100) a ^= 0x11D;
  }
  return product;
}

// All generator polynomials of degrees 1..68 in one block: degree e starts
// at offset e(e+1)/2 - 1 and has e + 1 coefficients.
constexpr int kGeneratorEntries = (kMaxGeneratorDegree + 1) * (kMaxGeneratorDegree + 2) / 2 - 1;

constexpr std::array<uint16_t, kGeneratorEntries> MakeGeneratorTable() {
  std::array<uint16_t, kGeneratorEntries> table{};
  std::array<unsigned, kMaxGeneratorDegree + 1> poly{};
  poly[0] = 1;  // g_0 = 1
  unsigned root = 1;
  for (int e = 1; e <= kMaxGeneratorDegree; ++e) {
    // Multiply by (x - a^(e-1)); subtraction is addition in GF(2^8).
    for (int j = e; j >= 0; --j) {
      unsigned shifted = j > 0 ? poly[j - 1] : 0;
      poly[j] = shifted ^ ConstMultiply(poly[j], root);
    }
    root = ConstMultiply(root, 2);
    int offset = e * (e + 1) / 2 - 1;
    for (int j = 0; j <= e; ++j) table[offset + j] = static_cast<uint16_t>(poly[j]);
  }
  return table;
}

constexpr std::array<uint16_t, kGeneratorEntries> kGenerators = MakeGeneratorTable();

// alpha^i for i = 0 .. 510, so that the sum of two logarithms (1 .. 255
// each, gfLog[1] being 255) needs no reduction.
constexpr std::array<uint8_t, 511> MakeExpTwiceTable() {
  std::array<uint8_t, 511> table{};
  std::array<uint16_t, 256> exp = MakeExpTable();
  for (int i = 0; i < 511; ++i) table[i] = static_cast<uint8_t>(exp[i % 255]);
  return table;
}

constexpr std::array<uint8_t, 511> kExpTwice = MakeExpTwiceTable();

constexpr bool NoZeroCoefficient() {
  for (int i = 0; i < kGeneratorEntries; ++i)
    if (kGenerators[i] == 0) return false;
  return true;
}
static_assert(NoZeroCoefficient(), "the log-domain division needs non-zero generator coefficients");

}  // namespace

const std::array<uint16_t, 256> gfExp = MakeExpTable();
const std::array<uint16_t, 256> gfLog = MakeLogTable();

const uint16_t *GeneratorTable(int degree) {
  return kGenerators.data() + degree * (degree + 1) / 2 - 1;
}

namespace {

// Products of every byte with a generator's coefficients, laid out as the
// shift register: products[f][j] = f * (coefficient of x^(ecCount-1-j)),
// zero past ecCount. With them one data codeword costs one shift and one
// exclusive or of the whole 32-byte register.
constexpr int kRegisterBytes = 32;

struct GeneratorProducts {
  uint64_t products[256][kRegisterBytes / 8];
};

BuiltOnceTable<GeneratorProducts, kRegisterBytes + 1> productTables;

std::unique_ptr<GeneratorProducts> BuildProducts(int ecCount) {
  auto table = std::make_unique<GeneratorProducts>();
  const uint16_t *g = GeneratorTable(ecCount);
  for (int f = 0; f < 256; ++f) {
    uint8_t bytes[kRegisterBytes] = {};
    for (int j = 0; j < ecCount; ++j)
      bytes[j] = static_cast<uint8_t>(GfMultiply(f, g[ecCount - 1 - j]));
    std::memcpy(table->products[f], bytes, kRegisterBytes);
  }
  return table;
}

// Little-endian words: byte j of the register is byte j % 8 of word j / 8.
void ComputeWithProducts(const uint8_t *data, int dataCount, int ecCount, uint8_t *ecOut) {
  const GeneratorProducts &table = productTables.Get(ecCount, BuildProducts);
  uint64_t r0 = 0, r1 = 0, r2 = 0, r3 = 0;
  for (int i = 0; i < dataCount; ++i) {
    const unsigned factor = (data[i] ^ r0) & 0xFF;
    const uint64_t *p = table.products[factor];
    r0 = ((r0 >> 8) | (r1 << 56)) ^ p[0];
    r1 = ((r1 >> 8) | (r2 << 56)) ^ p[1];
    r2 = ((r2 >> 8) | (r3 << 56)) ^ p[2];
    r3 = (r3 >> 8) ^ p[3];
  }
  uint8_t bytes[kRegisterBytes];
  const uint64_t words[4] = {r0, r1, r2, r3};
  std::memcpy(bytes, words, kRegisterBytes);
  std::memcpy(ecOut, bytes, static_cast<size_t>(ecCount));
}

}  // namespace

void ComputeErrorCorrection(const uint8_t *data, int dataCount, int ecCount, uint8_t *ecOut) {
  // Every block of the standard has at most 30 error-correction codewords.
  if (ecCount <= kRegisterBytes) {
    ComputeWithProducts(data, dataCount, ecCount, ecOut);
    return;
  }
  // Shift register of the division: reg[0] is the highest remainder term,
  // the block's first error-correction codeword.
  const uint16_t *g = GeneratorTable(ecCount);
  uint8_t reg[kMaxGeneratorDegree + 1] = {};
  // Products with the generator's coefficients in the log domain: one
  // look-up of the factor's logarithm per data codeword, then one addition
  // and one look-up per term. No coefficient of these generators is zero.
  uint16_t logCoefficient[kMaxGeneratorDegree];
  for (int j = 0; j < ecCount; ++j) logCoefficient[j] = gfLog[g[ecCount - 1 - j]];
  for (int i = 0; i < dataCount; ++i) {
    const unsigned factor = data[i] ^ reg[0];
    if (factor == 0) {
      for (int j = 0; j < ecCount; ++j) reg[j] = reg[j + 1];  // reg[ecCount] stays 0
      continue;
    }
    const unsigned logFactor = gfLog[factor];
    for (int j = 0; j < ecCount; ++j)
      reg[j] = reg[j + 1] ^ kExpTwice[logFactor + logCoefficient[j]];
  }
  for (int j = 0; j < ecCount; ++j) ecOut[j] = reg[j];
}

bool InterleaveWithErrorCorrection(const uint8_t *data, const BlockLayout &layout, uint8_t *out) {
  const int blocks = layout.blockCount();
  const int ecCount = layout.ecPerBlock();
  const int shortData = layout.shortBlockData;

  // Error-correction codewords of all blocks; at most 2,430 (version 40-H),
  // so they live on the stack and no encoding allocates here.
  uint8_t ec[4096];
  if (static_cast<size_t>(blocks) * ecCount > sizeof ec) return false;

  // Block b's data starts here; second-group blocks hold one codeword more.
  auto blockStart = [&](int b) {
    return b * shortData + (b > layout.shortBlocks ? b - layout.shortBlocks : 0);
  };
  for (int b = 0; b < blocks; ++b) {
    int count = shortData + (b >= layout.shortBlocks ? 1 : 0);
    ComputeErrorCorrection(data + blockStart(b), count, ecCount,
                           &ec[static_cast<size_t>(b) * ecCount]);
  }

  int k = 0;
  for (int t = 0; t < shortData; ++t)
    for (int b = 0; b < blocks; ++b) out[k++] = data[blockStart(b) + t];
  for (int b = layout.shortBlocks; b < blocks; ++b) out[k++] = data[blockStart(b) + shortData];
  for (int t = 0; t < ecCount; ++t)
    for (int b = 0; b < blocks; ++b) out[k++] = ec[static_cast<size_t>(b) * ecCount + t];
  return true;
}

}  // namespace qr
