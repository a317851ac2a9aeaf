#include "integer_of_text.h"

#include <climits>

namespace qrapp {

namespace {

// U+FF01..U+FF5E are EF BC 81..BF and EF BD 80..9E; U+3000 is E3 80 80.
std::string NarrowFullWidth(const std::string &utf8) {
  std::string narrow;
  narrow.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
    if (i + 2 < utf8.size() && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD)) {
      const int code = 0xFF00 + ((byte(1) & 0x03) << 6) + (byte(2) & 0x3F);
      if (code >= 0xFF01 && code <= 0xFF5E && (byte(2) & 0xC0) == 0x80) {
        narrow += static_cast<char>(code - 0xFF00 + 0x20);
        i += 2;
        continue;
      }
    } else if (i + 2 < utf8.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
      narrow += ' ';
      i += 2;
      continue;
    }
    narrow += utf8[i];
  }
  return narrow;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int IntegerOfText(const std::string &utf8) {
  const std::string text = NarrowFullWidth(utf8);
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

}  // namespace qrapp
