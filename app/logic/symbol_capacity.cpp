#include "symbol_capacity.h"

#include <cstring>

namespace qrapp {

namespace {

// Data codewords of version 40 at L, M, Q, H.
constexpr long kVersion40DataCodewords[4] = {2956, 2334, 1666, 1276};
constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

}  // namespace

bool FitsLargestSymbol(const std::string &message, int level) {
  // The engine takes the low 16 bits and maps anything above 3 to L.
  level &= 0xFFFF;
  if (level > 3) level = 0;
  // Text after a zero byte never reaches the engine.
  const std::string text = message.substr(0, message.find('\0'));
  const long n = static_cast<long>(text.size());

  bool numeric = true, alphanumeric = true;
  for (char c : text) {
    if (c < '0' || c > '9') numeric = false;
    if (c == '\0' || !std::strchr(kAlphanumeric, c)) {
      alphanumeric = false;
      break;
    }
  }
  long bits;  // mode indicator + count (version 27..40 widths) + data
  if (numeric) {
    bits = 4 + 14 + 10 * (n / 3) + (n % 3 == 1 ? 4 : n % 3 == 2 ? 7 : 0);
  } else if (alphanumeric) {
    bits = 4 + 13 + 11 * (n / 2) + 6 * (n % 2);
  } else {
    bits = 4 + 16 + 8 * n;
  }
  return bits <= 8 * kVersion40DataCodewords[level];
}

}  // namespace qrapp
