#include "integer_of_text.h"

#include <climits>

#include "gbk_bytes.h"

namespace qrapp {

namespace {

std::string NarrowFullWidth(const std::string &gbk) {
  std::string narrow;
  narrow.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size(); ++i) {
    const unsigned char lead = static_cast<unsigned char>(gbk[i]);
    if (!cp936::StartsBoxPair(lead) || i + 1 >= gbk.size()) {
      narrow += gbk[i];
      continue;
    }
    const unsigned char trail = static_cast<unsigned char>(gbk[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      narrow += static_cast<char>(trail & 0x7F);
    } else if (lead == 0xA1 && trail == 0xA1) {
      narrow += ' ';
    } else {
      narrow += gbk[i];
      narrow += gbk[i + 1];
    }
    ++i;
  }
  return narrow;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int IntegerOfText(const std::string &gbk) {
  const std::string text = NarrowFullWidth(gbk);
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
