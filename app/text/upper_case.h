// Upper case as Windows folds file names: Unicode's simple uppercase mapping
// of each character of the Basic Multilingual Plane, from tables made at
// development time (tools/make_upper_case_tables.py), so the fold is the
// same on every machine, whatever its locale, and in the Windows build.
#pragma once

namespace qrtext {

// The simple uppercase of a BMP code point (U+00E9 -> U+00C9, U+2170 ->
// U+2160, U+00DF stays); other code points as given.
char32_t SimpleUpper(char32_t codePoint);

// A GBK (code page 936) double-byte character, lead << 8 | trail, mapped to
// the one GBK character that stands for all whose Unicode uppercase is the
// same (A2A1 "small roman numeral one" -> A2F1, A3E1 -> A3C1); any other as
// given. No GBK double-byte character shares its uppercase with ASCII.
unsigned GbkUpperPair(unsigned pair);

}  // namespace qrtext
