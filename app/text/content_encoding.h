// The content text of a line turned into the bytes its symbol carries.
#pragma once

#include <string>
#include <string_view>

namespace qrtext {

enum class ContentEncoding { kGbk, kUtf8, kUtf8NoEci, kRaw };

struct EncodedContent {
  std::string bytes;      // what the symbol carries
  int eciDesignator = 0;  // 0: no ECI segment; 26 UTF-8, 29 GBK
};

// False when the text holds a character the encoding cannot express
// (never a '?'). kRaw passes the bytes through unchanged.
bool EncodeContent(std::string_view utf8, ContentEncoding encoding, bool eciForGbk,
                   EncodedContent &out);

}  // namespace qrtext
