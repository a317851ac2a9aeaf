#include "format_info.h"

namespace qr {

const uint32_t VersionInfoTable[41] = {
    0,       0,       0,       0,       0,       0,       0,       0x07C94, 0x085BC,
    0x09A99, 0x0A4D3, 0x0BBF6, 0x0C762, 0x0D847, 0x0E60D, 0x0F928, 0x10B78, 0x1145D,
    0x12A17, 0x13532, 0x149A6, 0x15683, 0x168C9, 0x177EC, 0x18EC4, 0x191E1, 0x1AFAB,
    0x1B08E, 0x1CC1A, 0x1D33F, 0x1ED75, 0x1F250, 0x209D5, 0x216F0, 0x228BA, 0x2379F,
    0x24B0B, 0x2542E, 0x26A64, 0x27541, 0x28C69,
};

uint32_t FormatBits(int ecLevel, int maskPattern) {
  static const uint32_t kLevelBits[4] = {1, 0, 3, 2};  // L, M, Q, H
  const uint32_t data = (kLevelBits[ecLevel] << 3) | static_cast<uint32_t>(maskPattern);
  uint32_t word = data << 10;
  for (int degree = 14; degree >= 10; --degree)
    if (word & (1u << degree)) word ^= 0x537u << (degree - 10);  // x^10+x^8+x^5+x^4+x^2+x+1
  return ((data << 10) | word) ^ 0x5412;
}

void FormatPositions(int S, ModulePosition positions[15][2]) {
  // Around the top-left finder pattern.
  for (int i = 0; i <= 5; ++i) positions[i][0] = {8, i};
  positions[6][0] = {8, 7};
  positions[7][0] = {8, 8};
  positions[8][0] = {7, 8};
  for (int k = 0; k <= 5; ++k) positions[14 - k][0] = {k, 8};

  // Split between the bottom-left and top-right finder patterns.
  for (int k = 0; k <= 5; ++k) positions[k][1] = {S - 1 - k, 8};
  positions[6][1] = {S - 7, 8};
  positions[7][1] = {8, S - 8};
  positions[8][1] = {8, S - 7};
  for (int k = 0; k <= 5; ++k) positions[14 - k][1] = {8, S - 1 - k};
}

void WriteFormatInformation(SymbolMatrix &m, int ecLevel, int maskPattern) {
  const uint32_t bits = FormatBits(ecLevel, maskPattern);
  ModulePosition positions[15][2];
  FormatPositions(m.side(), positions);
  for (int i = 0; i < 15; ++i) {
    const uint8_t bit = static_cast<uint8_t>((bits >> (14 - i)) & 1);
    for (const ModulePosition &p : positions[i]) m.module(p.row, p.column) = bit;
  }
}

void WriteVersionInformation(SymbolMatrix &m, int version) {
  const int S = m.side();
  const uint32_t word = VersionInfoTable[version];
  for (int k = 0; k < 18; ++k) {
    uint8_t bit = (word >> k) & 1;
    int a = k / 3, b = S - 11 + k % 3;
    m.module(a, b) = bit;
    m.module(b, a) = bit;
    m.isData(a, b) = 0;
    m.isData(b, a) = 0;
  }
}

}  // namespace qr
