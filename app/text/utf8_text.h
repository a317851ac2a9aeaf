// UTF-8 and UTF-16 rules of the decoded texts, the same on every system:
// strict validation (no overlong forms, no surrogates, nothing above
// U+10FFFF) and the conversions qrbatch's input and the Windows names need.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qrtext {

// Length of the valid UTF-8 character at `text[at]`: 1 to 4, or 0 when the
// bytes there are no valid character (a stray or malformed byte, or a
// sequence cut by the end of `text`).
size_t Utf8CharLength(std::string_view text, size_t at);

// True when every byte belongs to a valid UTF-8 character.
bool IsValidUtf8(std::string_view text);

// True when `text` is valid UTF-8 except that it may end in the first
// bytes of a character that its next piece would complete.
bool IsValidUtf8Prefix(std::string_view text);

// The code point of the valid character at `text[at]` (Utf8CharLength > 0).
char32_t Utf8CodePoint(std::string_view text, size_t at);

void AppendUtf8(std::string &out, char32_t codePoint);

// UTF-16 code units as UTF-8; false at a lone surrogate.
bool Utf8FromUtf16(std::u16string_view units, std::string &utf8);

// Valid UTF-8 as UTF-16 code units; false for invalid UTF-8.
bool Utf16FromUtf8(std::string_view utf8, std::u16string &units);

}  // namespace qrtext
