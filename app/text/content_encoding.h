// What a line's content text becomes in its symbol: GBK bytes (optionally
// announced by ECI 29), UTF-8 announced by ECI 26, UTF-8 without ECI, or
// the bytes as given.
#pragma once

#include <string>
#include <string_view>

namespace qrtext {

enum class ContentEncoding { kGbk, kUtf8, kUtf8NoEci, kRaw };

struct EncodedContent {
  std::string bytes;      // what the symbol carries
  int eciDesignator = 0;  // 0: no ECI segment; 26 UTF-8, 29 GBK
};

// ECI designators of the character sets (AIM ECI assignments).
constexpr int kEciUtf8 = 26;
constexpr int kEciGbk = 29;

// False when the text holds a character the encoding cannot express
// (never a '?'), or is no valid UTF-8 for an encoding that reads it as
// such. kRaw passes the bytes through unchanged. A designator is given only
// when the bytes hold a byte of 0x80 or more: ASCII reads the same in
// every character set and needs none.
bool EncodeContent(std::string_view utf8, ContentEncoding encoding, bool eciForGbk,
                   EncodedContent &out);

}  // namespace qrtext
