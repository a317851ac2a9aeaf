#include "content_escapes.h"

#include "utf8_text.h"

namespace batch {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsPrintableAscii(char c) { return c > 0x20 && c < 0x7F; }

// `digits` hex digits at `at`; -1 (with the escape so far in `bad`) when
// one is missing.
long ReadHex(std::string_view text, size_t at, int digits, std::string &bad) {
  long value = 0;
  for (int i = 0; i < digits; ++i) {
    const size_t index = at + static_cast<size_t>(i);
    if (index >= text.size()) return -1;
    const char c = text[index];
    if (IsPrintableAscii(c)) bad += c;
    const int digit = HexValue(c);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

bool UnescapeContent(std::string_view text, std::string &out, std::string &bad) {
  out.clear();
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    bad = "\\";
    if (i + 1 >= text.size()) return false;
    const char kind = text[++i];
    if (IsPrintableAscii(kind)) bad += kind;
    switch (kind) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      case 'x': {
        const long byte = ReadHex(text, i + 1, 2, bad);
        if (byte < 0) return false;
        out += static_cast<char>(byte);
        i += 2;
        break;
      }
      case 'u': {
        const long code = ReadHex(text, i + 1, 4, bad);
        // A surrogate is half of a character; U+0000 would end the text
        // for most programs that read the symbol.
        if (code <= 0 || (code >= 0xD800 && code <= 0xDFFF)) return false;
        qrtext::AppendUtf8(out, static_cast<char32_t>(code));
        i += 4;
        break;
      }
      default: return false;
    }
  }
  bad.clear();
  return true;
}

}  // namespace batch
