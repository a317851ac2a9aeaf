// Decoded text both ways: input files as Windows programs save them, read
// in pieces cut anywhere, and content encoded strictly for the symbols.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content_encoding.h"
#include "file_lines.h"
#include "input_decoding.h"
#include "strict_gbk.h"
#include "utf8_text.h"

namespace qrtext {
namespace {

using Lines = std::vector<std::string>;

// UTF-8 text as UTF-16 bytes (little- or big-endian), with a mark.
std::string Utf16Bytes(const std::string &utf8, bool littleEndian) {
  std::u16string units;
  EXPECT_TRUE(Utf16FromUtf8(utf8, units));
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
  }
  return bytes;
}

struct Decoded {
  Lines lines;  // every line's text, or "<invalid>"
  InputEncoding encoding;
};

// The lines of `input` fed in pieces of `piece` bytes, as the reader does.
Decoded DecodeInPieces(const std::string &input, InputEncoding requested, size_t piece) {
  InputDecoder decoder(requested);
  qrtext::LineCutter cutter;
  Decoded result;
  std::string line, stream, text;
  auto cut = [&](bool atEnd) {
    const char *next = stream.data();
    const char *end = stream.data() + stream.size();
    while (next != end) {
      if (!cutter.Take(next, end, line)) break;
      result.lines.push_back(decoder.DecodeLine(line, text) ? text : "<invalid>");
      line.clear();
    }
    if (atEnd && !line.empty())
      result.lines.push_back(decoder.DecodeLine(line, text) ? text : "<invalid>");
    stream.clear();
  };
  for (size_t at = 0; at < input.size(); at += piece) {
    decoder.Feed(input.data() + at, std::min(piece, input.size() - at), stream);
    cut(false);
  }
  decoder.Finish(stream);
  cut(true);
  result.encoding = decoder.lineEncoding();
  return result;
}

const std::string kText = "编号\t名称\r\n苹果手机\tCafé 100€\r\nplain\r\n𠮷野家 😀\r\n";
const Lines kLines = {"编号\t名称", "苹果手机\tCafé 100€", "plain", "𠮷野家 😀"};

TEST(InputDecoding, EveryKindOfFileGivesTheSameTextInAnyPieces) {
  std::string gbk;
  // GBK cannot hold 𠮷 or 😀: its file has the first three lines.
  const std::string gbkText = "编号\t名称\r\n苹果手机\tCafé 100€\r\nplain\r\n";
  ASSERT_TRUE(GbkFromUtf8(gbkText, gbk));
  EXPECT_NE(gbk.find("100\x80"), std::string::npos);  // the euro sign of code page 936
  struct Case {
    const char *what;
    std::string bytes;
    InputEncoding requested;
    Lines lines;
  };
  const Lines gbkLines(kLines.begin(), kLines.end() - 1);
  const Case cases[] = {
      {"UTF-8", kText, InputEncoding::kAuto, kLines},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + kText, InputEncoding::kAuto, kLines},
      {"UTF-8 with a mark, told", "\xEF\xBB\xBF" + kText, InputEncoding::kUtf8, kLines},
      {"UTF-16LE", Utf16Bytes(kText, true), InputEncoding::kAuto, kLines},
      {"UTF-16BE", Utf16Bytes(kText, false), InputEncoding::kAuto, kLines},
      {"UTF-16LE, told", Utf16Bytes(kText, true), InputEncoding::kUtf16, kLines},
      {"UTF-16LE without mark, told", Utf16Bytes(kText, true).substr(2), InputEncoding::kUtf16,
       kLines},
      {"GBK", gbk, InputEncoding::kAuto, gbkLines},
      {"GBK, told", gbk, InputEncoding::kGbk, gbkLines},
  };
  for (const Case &c : cases) {
    for (const size_t piece : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{4096}}) {
      const Decoded decoded = DecodeInPieces(c.bytes, c.requested, piece);
      EXPECT_EQ(decoded.lines, c.lines) << c.what << ", pieces of " << piece;
    }
  }
}

TEST(InputDecoding, AutoDecidesAtTheFirstByteOfEightBitsAndFaultsOnlyBadLines) {
  std::string gbkLine;
  ASSERT_TRUE(GbkFromUtf8("价格 100€", gbkLine));
  // ASCII first, then UTF-8 as far as the look-ahead (here pieces of 4
  // bytes) reaches: UTF-8; a later GBK line is that line's fault.
  Decoded decoded = DecodeInPieces("a\nb\n中\n" + gbkLine + "\nc\n", InputEncoding::kAuto, 4);
  EXPECT_EQ(decoded.encoding, InputEncoding::kUtf8);
  EXPECT_EQ(decoded.lines, (Lines{"a", "b", "中", "<invalid>", "c"}));
  // GBK first: GBK; a stray 0xFF and a lead byte without its trail fail.
  decoded = DecodeInPieces("a\n" + gbkLine + "\n\xFF\n\xB0\n", InputEncoding::kAuto, 4096);
  EXPECT_EQ(decoded.encoding, InputEncoding::kGbk);
  EXPECT_EQ(decoded.lines, (Lines{"a", "价格 100€", "<invalid>", "<invalid>"}));
  // Only ASCII: undecided, the same in both.
  decoded = DecodeInPieces("a\r\nb", InputEncoding::kAuto, 1);
  EXPECT_EQ(decoded.encoding, InputEncoding::kAuto);
  EXPECT_EQ(decoded.lines, (Lines{"a", "b"}));
  // A mixed head inside the look-ahead reads as GBK.
  decoded = DecodeInPieces("中\n" + gbkLine + "\n", InputEncoding::kAuto, 4096);
  EXPECT_EQ(decoded.encoding, InputEncoding::kGbk);
  // Told UTF-8, a GBK file fails line by line; told GBK, a mark is bytes
  // (here no valid GBK).
  decoded = DecodeInPieces(gbkLine + "\nok\n", InputEncoding::kUtf8, 4096);
  EXPECT_EQ(decoded.lines, (Lines{"<invalid>", "ok"}));
  decoded = DecodeInPieces("\xEF\xBB\xBF\nx\n", InputEncoding::kGbk, 4096);
  EXPECT_EQ(decoded.lines, (Lines{"<invalid>", "x"}));
}

TEST(InputDecoding, BrokenUtf16FailsItsOwnLine) {
  std::string bytes = Utf16Bytes("ok\n", true);
  bytes += std::string("\x3D\xD8\n\x00", 4);  // a high surrogate before LF
  bytes += std::string("b\x00\n\x00", 4);
  bytes += std::string("\x00\xDC", 2);  // a lone low surrogate at the end
  bytes += "z";                         // and half a code unit
  for (const size_t piece : {size_t{1}, size_t{3}, size_t{4096}}) {
    const Decoded decoded = DecodeInPieces(bytes, InputEncoding::kAuto, piece);
    EXPECT_EQ(decoded.lines, (Lines{"ok", "<invalid>", "b", "<invalid>"})) << piece;
  }
}

TEST(ContentEncoding, EachEncodingGivesItsBytesAndDesignatorOrRefuses) {
  struct Case {
    const char *text;
    ContentEncoding encoding;
    bool eci;
    bool ok;
    std::string bytes;
    int designator;
  };
  const std::string utf8Chinese = "华为 Mate 60 Pro";
  const Case cases[] = {
      {"华为 Mate 60 Pro", ContentEncoding::kGbk, false, true, "\xBB\xAA\xCE\xAA Mate 60 Pro", 0},
      {"华为 Mate 60 Pro", ContentEncoding::kGbk, true, true, "\xBB\xAA\xCE\xAA Mate 60 Pro", 29},
      {"华为 Mate 60 Pro", ContentEncoding::kUtf8, false, true, utf8Chinese, 26},
      {"华为 Mate 60 Pro", ContentEncoding::kUtf8NoEci, false, true, utf8Chinese, 0},
      {"华为 Mate 60 Pro", ContentEncoding::kRaw, false, true, utf8Chinese, 0},
      {"价格 100€", ContentEncoding::kGbk, false, true, "\xBC\xDB\xB8\xF1 100\x80", 0},
      {"Café", ContentEncoding::kGbk, false, true, "Caf\xA8\xA6", 0},
      // ASCII needs no designator in any encoding.
      {"SN-0001", ContentEncoding::kUtf8, false, true, "SN-0001", 0},
      {"SN-0001", ContentEncoding::kGbk, true, true, "SN-0001", 0},
      // What GBK cannot hold is refused, never a '?' or a look-alike.
      {"한국어 상품", ContentEncoding::kGbk, false, false, "", 0},
      {"表情😀", ContentEncoding::kGbk, true, false, "", 0},
      {"𠮷野家", ContentEncoding::kGbk, false, false, "", 0},
      {"\xE2\x88\x99", ContentEncoding::kGbk, false, false, "", 0},  // U+2219, best fit "·"
      {"한국어 상품", ContentEncoding::kUtf8, false, true, "한국어 상품", 26},
      // Bytes that are no UTF-8 only pass as raw.
      {"\xB2\xE2", ContentEncoding::kUtf8, false, false, "", 0},
      {"\xB2\xE2", ContentEncoding::kRaw, false, true, "\xB2\xE2", 0},
  };
  for (const Case &c : cases) {
    EncodedContent out;
    out.bytes = "stale";
    EXPECT_EQ(EncodeContent(c.text, c.encoding, c.eci, out), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(out.bytes, c.bytes) << c.text;
    EXPECT_EQ(out.eciDesignator, c.designator) << c.text;
  }
}

TEST(Utf8Text, StrictValidation) {
  struct Case {
    std::string bytes;
    bool valid;
    bool prefix;  // valid but for a character cut at the end
  };
  const Case cases[] = {
      {"", true, true},
      {"a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", true, true},
      {"\xC0\xAF", false, false},          // overlong '/'
      {"\xE0\x80\xAF", false, false},      // overlong
      {"\xED\xA0\x80", false, false},      // a surrogate
      {"\xF4\x90\x80\x80", false, false},  // above U+10FFFF
      {"\xF0\x8F\xBF\xBF", false, false},  // overlong U+FFFF
      {"\xF5\x80\x80\x80", false, false},  // no character starts with F5
      {"\xED\xBF\xBF", false, false},      // the last low surrogate
      {"\x80", false, false},
      {"\xFF", false, false},
      {"a\xE4\xB8", false, true},
      {"a\xF0\x9F", false, true},
      {"\xE4\xB8"
       "a",
       false, false},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
    EXPECT_EQ(IsValidUtf8Prefix(c.bytes), c.valid || c.prefix) << testing::PrintToString(c.bytes);
  }
}

// The encoder and the decoder agree at every length's edges.
TEST(Utf8Text, EncodesAndDecodesEachLengthsEdges) {
  for (char32_t code :
       {0x0u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    std::string bytes;
    AppendUtf8(bytes, code);
    ASSERT_EQ(Utf8CharLength(bytes, 0), bytes.size()) << std::hex << code;
    EXPECT_EQ(Utf8CodePoint(bytes, 0), code) << std::hex << code;
  }
}

}  // namespace
}  // namespace qrtext
