#include "batch_names.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <map>
#include <set>
#include <vector>

#include "gbk_text.h"
#include "iconv_text.h"

namespace batch {
namespace {

TEST(BatchNames, ANewNameOrTheSameContentAgainIsFree) {
  BatchNames names;
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "one", 1), 0);
  EXPECT_EQ(names.Claim("D:\\out\\b.jpg", "one", 2), 0);
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "one", 3), 0);
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "two", 4), 1);
  // The failed claim changed nothing: the name still holds line 1's content.
  EXPECT_EQ(names.Claim("D:\\out\\a.jpg", "one", 5), 0);
  EXPECT_EQ(names.Claim("D:\\out\\b.jpg", "", 6), 2);
}

TEST(BatchNames, NamesAreComparedAsWindowsComparesThem) {
  BatchNames names;
  ASSERT_EQ(names.Claim("D:\\out\\Product.jpg", "x", 1), 0);
  EXPECT_EQ(names.Claim("D:\\out\\PRODUCT.JPG", "y", 2), 1);
  EXPECT_EQ(names.Claim("d:/OUT/product.jpg", "y", 3), 1);

  ASSERT_EQ(names.Claim("D:\\out\\sub\\x.jpg", "x", 4), 0);
  EXPECT_EQ(names.Claim("D:\\out\\sub.\\x.jpg", "y", 5), 4);
  EXPECT_EQ(names.Claim("D:\\out\\SUB . .\\x.jpg", "y", 6), 4);
  EXPECT_EQ(names.Claim("D:\\out\\.\\sub\\\\x.jpg", "y", 7), 4);
  // Dots and blanks inside a name, before its extension, are kept.
  EXPECT_EQ(names.Claim("D:\\out\\sub\\x..jpg", "y", 8), 0);
  EXPECT_EQ(names.Claim("D:\\out\\sub\\x .jpg", "y", 9), 0);
  EXPECT_EQ(names.Claim("D:\\out\\sub\\ x.jpg", "y", 10), 0);
}

TEST(BatchNames, GbkTrailBytesAreNeverFolded) {
  // 0xB2 0x61 and 0xB2 0x41 are two different characters, not one letter in two cases.
  BatchNames names;
  ASSERT_EQ(names.Claim("D:\\out\\\xB2\x61.jpg", "x", 1), 0);
  EXPECT_EQ(names.Claim("D:\\out\\\xB2\x41.jpg", "y", 2), 0);
  EXPECT_EQ(names.Claim("D:\\out\\" + qrtext::ToGbk("测试") + ".jpg", "x", 9), 0);
  EXPECT_EQ(names.Claim("D:\\out\\" + qrtext::ToGbk("测验") + ".jpg", "y", 10), 0);
}

std::string GbkChar(unsigned pair) {
  return {static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
}

// The characters of code page 936 grouped by their Unicode uppercase, both
// found independently of the fold: iconv decodes, the C library's Unicode
// locale upcases. Two characters fold alike exactly when they share a group:
// the ASCII letters and 93 GBK pairs (roman numerals A2A1-A2AA/A2F1-A2FA,
// full-width Latin, Greek and Cyrillic letters).
TEST(BatchNames, GbkFoldsExactlyWhereUnicodeUppercasesAgree) {
  const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  if (unicode == static_cast<locale_t>(nullptr)) GTEST_SKIP() << "no C.UTF-8 locale";
  std::map<char32_t, std::vector<std::string>> byUpper;
  const auto add = [&](const std::string &gbk) {
    const std::string utf32 = qrtext::IconvConvert(gbk, "GBK", "UTF-32LE");
    if (utf32.size() != 4) return;  // no character of the code page
    char32_t c = 0;
    for (int i = 3; i >= 0; --i) c = c << 8 | static_cast<unsigned char>(utf32[i]);
    byUpper[static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode))].push_back(gbk);
  };
  for (unsigned byte = 0x21; byte < 0x7F; ++byte) {
    if (byte != '.' && byte != '/' && byte != '\\') add(std::string(1, static_cast<char>(byte)));
  }
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail != 0x7F) add(GbkChar(lead << 8 | trail));
    }
  }
  freelocale(unicode);
  ASSERT_GT(byUpper.size(), 20000u);
  std::set<std::string> folds;
  int sharing = 0;
  for (const auto &group : byUpper) {
    const std::string fold = BatchNames::FoldedPath(group.second.front());
    for (const std::string &member : group.second) {
      EXPECT_EQ(BatchNames::FoldedPath(member), fold)
          << std::hex << static_cast<unsigned>(group.first);
    }
    if (group.second.size() > 1) sharing += static_cast<int>(group.second.size());
    folds.insert(fold);
  }
  EXPECT_EQ(folds.size(), byUpper.size()) << "characters of different uppercases fold alike";
  EXPECT_EQ(sharing, 2 * (26 + 10 + 26 + 24 + 33));
}

TEST(BatchNames, Utf8NamesAreFoldedInUnicode) {
  const struct {
    const char *a, *b;
    bool same;
  } cases[] = {
      {"café", "CAFÉ", true},     {"Ærø", "æRØ", true},     {"straße", "STRASSE", false},
      {"straße", "STRAßE", true}, {"ωмега", "ΩМЕГА", true}, {"Ⅻ", "ⅻ", true},
      {"ａｂ", "ＡＢ", true},     {"ǆ", "Ǆ", true},         {"𐐨", "𐐀", false},
      {"\xE9", "\xC9", false},    {"x\xC3", "X\xC3", true}, {"Ab/c. ", "aB\\C", true},
  };
  BatchNames names(NameEncoding::kUtf8);
  int line = 0;
  for (const auto &c : cases) {
    EXPECT_EQ(BatchNames::FoldedPath(c.a, NameEncoding::kUtf8) ==
                  BatchNames::FoldedPath(c.b, NameEncoding::kUtf8),
              c.same)
        << c.a << " " << c.b;
    const std::string folder = "/out/" + std::to_string(++line) + "/";
    ASSERT_EQ(names.Claim(folder + c.a, "first", line), 0);
    EXPECT_EQ(names.Claim(folder + c.b, "second", 100), c.same ? line : 0) << c.a << " " << c.b;
  }
  // The same characters in GBK.
  EXPECT_EQ(BatchNames::FoldedPath(qrtext::ToGbk("ⅰⅹωмега")),
            BatchNames::FoldedPath(qrtext::ToGbk("ⅠⅩΩМЕГА")));
  EXPECT_NE(BatchNames::FoldedPath(qrtext::ToGbk("ⅰ")), BatchNames::FoldedPath("i"));
}

TEST(BatchNames, FoldedPathIsOneFormPerFile) {
  EXPECT_EQ(BatchNames::FoldedPath("/tmp/Out/a b. /x.PNG"), "\\TMP\\OUT\\A B\\X.PNG");
  EXPECT_EQ(BatchNames::FoldedPath("D:\\\\a.jpg"), "D:\\A.JPG");
  EXPECT_EQ(BatchNames::FoldedPath("a\\.\\..."), "A");
  // A trail byte 0x5C is no separator: the dots after it end its component.
  EXPECT_EQ(BatchNames::FoldedPath("\x95\x5C..\\b"), "\x95\x5C\\B");
}

TEST(BatchNames, ManyNamesStayApart) {
  BatchNames names;
  for (int i = 1; i <= 100000; ++i) {
    ASSERT_EQ(names.Claim("D:\\out\\" + std::to_string(i) + ".jpg", std::to_string(i), i), 0);
  }
  for (int i = 1; i <= 100000; i += 997) {
    EXPECT_EQ(names.Claim("D:\\out\\" + std::to_string(i) + ".jpg", "other", 0), i);
  }
}

}  // namespace
}  // namespace batch
