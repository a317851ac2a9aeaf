#include "integer_of_text.h"

#include <climits>

#include "utf8_text.h"

namespace qrapp {

namespace {

// The full-width forms U+FF01..U+FF5E as ASCII and the ideographic space
// U+3000 as a blank; every other byte as it is.
std::string NarrowFullWidth(const std::string &utf8) {
  std::string narrow;
  narrow.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const size_t length = qrtext::Utf8CharLength(utf8, i);
    const char32_t code = length > 1 ? qrtext::Utf8CodePoint(utf8, i) : 0;
    if (code >= 0xFF01 && code <= 0xFF5E)
      narrow += static_cast<char>(code - 0xFF00 + 0x20);
    else if (code == 0x3000)
      narrow += ' ';
    else
      narrow.append(utf8, i, length > 0 ? length : 1);
    i += length > 0 ? length : 1;
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
