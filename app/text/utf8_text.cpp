#include "utf8_text.h"

namespace qrtext {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes a character starting with `lead` takes, and the range its
// second byte must lie in (which rules out overlong forms, surrogates and
// code points above U+10FFFF); 0 for a byte no character starts with.
size_t SequenceLength(unsigned char lead, unsigned char &low, unsigned char &high) {
  low = 0x80, high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    return 4;
  }
  return 0;
}

// 0: invalid; otherwise the length, which may reach past the end of `text`
// when the character is cut there (`cut` set).
size_t CheckChar(std::string_view text, size_t at, bool &cut) {
  cut = false;
  unsigned char low, high;
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t length = SequenceLength(lead, low, high);
  if (length <= 1) return length;
  for (size_t i = 1; i < length; ++i) {
    if (at + i >= text.size()) {
      cut = true;
      return length;
    }
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (i == 1 ? (byte < low || byte > high) : !IsContinuation(byte)) return 0;
  }
  return length;
}

}  // namespace

size_t Utf8CharLength(std::string_view text, size_t at) {
  bool cut;
  const size_t length = CheckChar(text, at, cut);
  return cut ? 0 : length;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8CharLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool IsValidUtf8Prefix(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    bool cut;
    const size_t length = CheckChar(text, at, cut);
    if (length == 0) return false;
    if (cut) return true;
    at += length;
  }
  return true;
}

char32_t Utf8CodePoint(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return lead;
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  char32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i)
    code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

void AppendUtf8(std::string &out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool Utf8FromUtf16(std::u16string_view units, std::string &utf8) {
  utf8.clear();
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      AppendUtf8(utf8, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      return false;
    } else {
      AppendUtf8(utf8, unit);
    }
  }
  return true;
}

bool Utf16FromUtf8(std::string_view utf8, std::u16string &units) {
  units.clear();
  for (size_t at = 0; at < utf8.size();) {
    const size_t length = Utf8CharLength(utf8, at);
    if (length == 0) return false;
    const char32_t code = Utf8CodePoint(utf8, at);
    if (code >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(code);
    }
    at += length;
  }
  return true;
}

}  // namespace qrtext
