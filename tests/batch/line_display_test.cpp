#include "line_display.h"

#include <gtest/gtest.h>

#include "gbk_text.h"

namespace batch {
namespace {

const std::string kGbkEllipsis = "\xA1\xAD";
const std::string kUtf8Ellipsis = "\xE2\x80\xA6";

std::string Gbk(const std::string &line, size_t maxChars = 80) {
  return DisplayLine(line, ReportEncoding::kGbk, maxChars);
}
std::string Utf8(const std::string &line, size_t maxChars = 80) {
  return DisplayLine(line, ReportEncoding::kUtf8, maxChars);
}

TEST(DisplayLine, PrintableLinesShowAsTheyAre) {
  EXPECT_EQ(Gbk(""), "");
  EXPECT_EQ(Gbk("https://example.com/p?id=42 x"), "https://example.com/p?id=42 x");
  EXPECT_EQ(Gbk(qrtext::ToGbk("测试数据")), qrtext::ToGbk("测试数据"));
  EXPECT_EQ(Utf8("测试数据 ü"), "测试数据 ü");
}

TEST(DisplayLine, ControlsAndEscapeSequencesShowAsHex) {
  const std::string hostile = "\x1B]2;owned\x07\x1B[2J";
  const std::string shown = "\\x1B]2;owned\\x07\\x1B[2J";
  EXPECT_EQ(Gbk(hostile), shown);
  EXPECT_EQ(Utf8(hostile), shown);
  EXPECT_EQ(Gbk(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(Gbk("a\tb\r\n\x7F"), "a\\x09b\\x0D\\x0A\\x7F");
}

TEST(DisplayLine, StrayBytesShowAsHexInEitherEncoding) {
  EXPECT_EQ(Gbk("\x80"
                "a\xFF"),
            "\\x80a\\xFF");
  EXPECT_EQ(Gbk("\xB2\x7F"), "\\xB2\\x7F");            // no GBK pair
  EXPECT_EQ(Gbk("x\xB2"), "x\\xB2");                   // a lead byte at the end
  EXPECT_EQ(Utf8("\xB2\xE2"), "\\xB2\\xE2");           // GBK is no UTF-8
  EXPECT_EQ(Utf8("\xC0\xAF"), "\\xC0\\xAF");           // overlong
  EXPECT_EQ(Utf8("\xED\xA0\x80"), "\\xED\\xA0\\x80");  // surrogate
  EXPECT_EQ(Utf8("\xE4\xB8"), "\\xE4\\xB8");           // cut short
  // C1 controls (CSI) and direction overrides are no text for a terminal.
  EXPECT_EQ(Utf8("\xC2\x9B"
                 "2J"),
            "\\xC2\\x9B2J");
  EXPECT_EQ(Utf8("a\xE2\x80\xAE"
                 "b"),
            "a\\xE2\\x80\\xAEb");
}

TEST(DisplayLine, EveryEscapeReadsBackAsOneByte) {
  // A literal backslash is doubled: "\\x1B" typed in a line and an ESC byte differ.
  for (const auto encoding : {ReportEncoding::kGbk, ReportEncoding::kUtf8}) {
    EXPECT_EQ(DisplayLine("a\\x1B", encoding), "a\\\\x1B");
    EXPECT_EQ(DisplayLine("a\x1B", encoding), "a\\x1B");
    EXPECT_EQ(DisplayLine("sub\\z", encoding), "sub\\\\z");
  }
  // A GBK trail byte 0x5C is part of its character, not a backslash.
  EXPECT_EQ(Gbk("\x95\x5C"), "\x95\x5C");
  // The doubled backslash takes its two columns.
  EXPECT_EQ(Gbk(std::string(40, '\\')), std::string(80, '\\'));
  EXPECT_EQ(Gbk(std::string(41, '\\')), std::string(78, '\\') + kGbkEllipsis);
}

TEST(DisplayLine, FormatCharactersShowAsHexInUtf8) {
  const struct {
    const char *character;
    const char *shown;
  } cases[] = {
      {"\u00AD", "\\xC2\\xAD"},                // soft hyphen
      {"\u180E", "\\xE1\\xA0\\x8E"},           // Mongolian vowel separator
      {"\u200B", "\\xE2\\x80\\x8B"},           // zero width space
      {"\u200F", "\\xE2\\x80\\x8F"},           // right-to-left mark
      {"\u2060", "\\xE2\\x81\\xA0"},           // word joiner
      {"\u2064", "\\xE2\\x81\\xA4"},           // invisible plus
      {"\uFEFF", "\\xEF\\xBB\\xBF"},           // byte order mark
      {"\u0600", "\\xD8\\x80"},                // Arabic number sign
      {"\U000E0001", "\\xF3\\xA0\\x80\\x81"},  // language tag
      {"\U000E0041", "\\xF3\\xA0\\x81\\x81"},  // tag latin capital letter A
      {"\U000E007F", "\\xF3\\xA0\\x81\\xBF"},  // cancel tag
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Utf8(std::string("a") + c.character + "b"), std::string("a") + c.shown + "b")
        << c.shown;
  }
  // Visible neighbours stay as they are.
  EXPECT_EQ(Utf8("\u00AC\u00AE\u2070\U000E0100"), "\u00AC\u00AE\u2070\U000E0100");
}

TEST(DisplayLine, ALongLineIsCutWithAnEllipsisWithinTheLimit) {
  const std::string exact(80, 'a');
  EXPECT_EQ(Gbk(exact), exact);
  EXPECT_EQ(Gbk(exact + "b"), std::string(78, 'a') + kGbkEllipsis);
  EXPECT_EQ(Utf8(exact + "b"), std::string(78, 'a') + kUtf8Ellipsis);
  EXPECT_EQ(Gbk("abcdef", 5), "abc" + kGbkEllipsis);

  const std::string huge(50 * 1000 * 1000, 'x');
  EXPECT_EQ(Gbk(huge), std::string(78, 'x') + kGbkEllipsis);
  EXPECT_EQ(Utf8(huge).size(), 78 + kUtf8Ellipsis.size());
}

TEST(DisplayLine, EscapesCountTheirFourColumns) {
  EXPECT_EQ(Gbk(std::string(20, '\x1B')), [] {
    std::string s;
    for (int i = 0; i < 20; ++i) s += "\\x1B";
    return s;
  }());
  EXPECT_EQ(Gbk(std::string(21, '\x1B')).size(), 19 * 4 + kGbkEllipsis.size());
}

TEST(DisplayLine, ACutNeverSplitsACharacter) {
  // Forty GBK characters take the 80 columns; with one ASCII byte in front
  // the cut falls inside the 39th character, which goes whole.
  std::string chinese;
  for (int i = 0; i < 40; ++i) chinese += qrtext::ToGbk("码");
  EXPECT_EQ(Gbk(chinese), chinese);
  EXPECT_EQ(Gbk("a" + chinese), "a" + chinese.substr(0, 2 * 38) + kGbkEllipsis);
  std::string utf8;
  for (int i = 0; i < 40; ++i) utf8 += "码";
  EXPECT_EQ(Utf8(utf8), utf8);
  EXPECT_EQ(Utf8("a" + utf8), "a" + utf8.substr(0, 3 * 38) + kUtf8Ellipsis);
  // Two-byte UTF-8 letters take one column each.
  std::string umlauts;
  for (int i = 0; i < 81; ++i) umlauts += "ü";
  EXPECT_EQ(Utf8(umlauts), umlauts.substr(0, 2 * 78) + kUtf8Ellipsis);
}

TEST(DisplayLine, AnEscapeIsNeverSplitEither) {
  const std::string line = std::string(76, 'a') + "\x1B" + "b";
  EXPECT_EQ(Gbk(line), std::string(76, 'a') + kGbkEllipsis);
}

}  // namespace
}  // namespace batch
