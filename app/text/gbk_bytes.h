// How the program reads GBK (code page 936) byte by byte: which bytes start
// a double-byte character and which pairs form one. Every scan of GBK text
// in the program asks here.
#pragma once

namespace qrtext {

// A lead byte as Windows reads code page 936: 0x81 to 0xFE.
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// A trail byte: 0x40 to 0xFE except 0x7F. Control characters (TAB, CR,
// LF), blanks, '/', '\\' and '.' never are, so a scan for them needs no
// pairing at all; letters are, so case folding does.
constexpr bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// One double-byte character.
constexpr bool IsPair(unsigned char lead, unsigned char trail) {
  return IsLeadByte(lead) && IsTrailByte(trail);
}

// The input box's own reading, used where the window counts and narrows
// text: every byte from 0x80 on takes the next byte with it, whatever that
// byte is. It differs from IsLeadByte only for 0x80 and 0xFF, which code
// page 936 leaves undefined; keeping the box's reading keeps the line count
// and the sizes equal to what the window has always shown.
constexpr bool StartsBoxPair(unsigned char byte) { return byte >= 0x80; }

}  // namespace qrtext
