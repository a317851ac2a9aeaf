// Strict conversions between UTF-8 text and GBK as Windows reads code page
// 936 (0x80 is the euro sign): a character one side cannot express is an
// answer of its own, never a '?' or a look-alike. Natively through iconv's
// CP936, on Windows through the system's code page 936; ASCII needs
// neither. GBK's user-defined areas (the Private Use Area on Windows) are
// refused by both.
#pragma once

#include <string>
#include <string_view>

namespace qrtext {

// Valid UTF-8 as GBK bytes; false when a character has no GBK form.
bool GbkFromUtf8(std::string_view utf8, std::string &gbk);

// GBK bytes as UTF-8; false at bytes code page 936 does not define (a lone
// lead byte, 0xFF, a lead byte before a byte no pair ends in).
bool Utf8FromGbk(std::string_view gbk, std::string &utf8);

// True when every byte is below 0x80.
bool IsAscii(std::string_view bytes);

}  // namespace qrtext
