// The generated uppercase tables against the C library's own Unicode data.
#include "upper_case.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>

namespace qrtext {
namespace {

TEST(UpperCase, EveryBmpCodePointMapsAsTheCLibrarysUnicodeLocale) {
  // C.UTF-8's towupper is Unicode's simple uppercase mapping; newlocale
  // leaves the process's own locale alone.
  const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  if (unicode == static_cast<locale_t>(nullptr)) GTEST_SKIP() << "no C.UTF-8 locale";
  int mapped = 0;
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const char32_t expected = static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode));
    ASSERT_EQ(SimpleUpper(c), expected) << std::hex << "U+" << static_cast<unsigned>(c);
    if (expected != c) ++mapped;
  }
  freelocale(unicode);
  EXPECT_GT(mapped, 1000);
}

TEST(UpperCase, OnlyTheBmpIsFoldedAsWindowsFoldsUtf16Units) {
  EXPECT_EQ(SimpleUpper(0xE9), 0xC9u);        // é
  EXPECT_EQ(SimpleUpper(0xDF), 0xDFu);        // ß has no single uppercase
  EXPECT_EQ(SimpleUpper(0x2170), 0x2160u);    // small roman numeral one
  EXPECT_EQ(SimpleUpper(0x10428), 0x10428u);  // Deseret: outside the BMP
  EXPECT_EQ(SimpleUpper(0x110000), 0x110000u);
}

}  // namespace
}  // namespace qrtext
