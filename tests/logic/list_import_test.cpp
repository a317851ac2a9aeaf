// List files as Windows programs save them, read into the input box's lines.
#include "list_import.h"

#include <gtest/gtest.h>

#include <string>

#include "options_dialog_layout.h"

namespace qrapp {
namespace {

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

TEST(ListImport, EachKindOfFileFillsTheSameLines) {
  struct Case {
    const char *kind;
    std::string bytes;
    const char *fileName;
    std::string encoding;
    std::string text;
  };
  const std::string lines = "苹果\thttps://a.example/1\r\n价格 100€\t下一行\r\n";
  const Case cases[] = {
      {"Notepad UTF-8 with a mark", "\xEF\xBB\xBF" + lines, "a.txt", "UTF-8（带 BOM）", lines},
      {"UTF-8 without a mark, LF ends", "苹果\thttps://a.example/1\n价格 100€\t下一行", "a.txt",
       "UTF-8", lines},
      // GBK: 0x80 is the euro sign, a character of its own.
      {"GBK",
       "\xC6\xBB\xB9\xFB\thttps://a.example/1\r\n\xBC\xDB\xB8\xF1 "
       "100\x80\t\xCF\xC2\xD2\xBB\xD0\xD0\r\n",
       "a.txt", "GBK", lines},
      {"Excel Unicode text", Utf16(u"苹果\thttps://a.example/1\r\n价格 100€\t下一行\r\n", false),
       "a.txt", "UTF-16LE", lines},
      {"UTF-16BE", Utf16(u"苹果\thttps://a.example/1\r价格 100€\t下一行", true), "a.txt",
       "UTF-16BE", lines},
      {"ASCII", "a\tb\r\n\r\nc\r\n", "a.TXT", "UTF-8", "a\tb\r\n\r\nc\r\n"},
  };
  for (const Case &c : cases) {
    const ImportResult result = ImportList(c.bytes, c.fileName, ImportChoice());
    EXPECT_EQ(result.text, c.text) << c.kind;
    EXPECT_EQ(result.encoding, c.encoding) << c.kind;
    EXPECT_FALSE(result.csv) << c.kind;
    EXPECT_FALSE(result.escapesNeeded) << c.kind;
    EXPECT_TRUE(result.undecodable.empty()) << c.kind;
  }
}

TEST(ListImport, ExcelCsvWithHeaderQuotesAndALineBreakBecomesEscapes) {
  const std::string csv =
      "\xEF\xBB\xBF编号,名称,网址\r\n"
      "1,\"苹果, 手机\",\"https://a.example/?q=\"\"x\"\"\"\r\n"
      "2,名片,\"BEGIN:VCARD\r\nFN:王\\小明\r\nEND:VCARD\"\r\n"
      "3,缺网址\r\n";
  ImportChoice choice;
  choice.header = true;
  choice.columns.picked = true;
  choice.columns.name = 2;
  choice.columns.content = 3;
  const ImportResult result = ImportList(csv, "列表.CSV", choice);
  EXPECT_TRUE(result.csv);
  EXPECT_EQ(result.lines, 2);
  // A line break inside quotes is LF (as the CSV reader keeps it); every
  // content is escaped, its backslashes too, and the escapes must be on.
  EXPECT_EQ(result.text,
            "苹果, 手机\thttps://a.example/?q=\"x\"\r\n"
            "名片\tBEGIN:VCARD\\nFN:王\\\\小明\\nEND:VCARD\r\n");
  EXPECT_EQ(result.escapedContents, 1);
  EXPECT_TRUE(result.escapesNeeded);
  EXPECT_EQ(result.missingColumns, (std::vector<int>{6}));  // its first line in the file
  const std::string summary = ImportSummary(result);
  EXPECT_NE(summary.find("已导入 2 行"), std::string::npos) << summary;
  EXPECT_NE(summary.find("选项“转义”已打开"), std::string::npos) << summary;
  EXPECT_NE(summary.find("缺少所选的列，未导入：第 6 行"), std::string::npos) << summary;

  // Escapes on already: the file's backslashes are its own escapes.
  choice.escapes = true;
  const ImportResult own = ImportList(csv, "list.csv", choice);
  EXPECT_NE(own.text.find("FN:王\\小明\\nEND"), std::string::npos) << own.text;
  EXPECT_FALSE(own.escapesNeeded);
}

TEST(ListImport, ColumnsByCountKeepExtraColumnsForTheBatchToReport) {
  ImportChoice choice;
  choice.separator = ImportSeparator::kCsv;
  const ImportResult result = ImportList("a,b,c,d\r\nx,y,z\r\n\"unclosed\r\n", "l.txt", choice);
  EXPECT_EQ(result.text, "a\tb\tc\td\r\nx\ty\tz\r\nunclosed\\n\r\n");
  choice.noCaption = true;
  EXPECT_EQ(ImportList("x,y,z\r\n", "l.txt", choice).text, "x\ty\r\n");
  // A name's line break and TAB stay out of the columns.
  choice.separator = ImportSeparator::kAuto;
  EXPECT_EQ(ImportList("\"n\r\n1\",c\r\n", "l.csv", choice).text, "n 1\tc\r\n");
}

TEST(ListImport, LinesThatAreNoTextAreLeftOutAndListed) {
  // UTF-8 from its first byte of 0x80 on, then a stray byte: GBK decides
  // the whole file, where "\xFF" is no character.
  const ImportResult result = ImportList("ok\r\n\xC6\xBB\r\nbad \xFF\r\nend\r\n", "a.txt", {});
  EXPECT_EQ(result.encoding, "GBK");
  EXPECT_EQ(result.text, "ok\r\n苹\r\nend\r\n");
  EXPECT_EQ(result.undecodable, (std::vector<int>{3}));
}

TEST(ListImport, TheOptionsRowsChooseTheImport) {
  WindowOptions options;
  options.choices.assign(std::size(resources::kOptionRows), 0);
  EXPECT_FALSE(ImportChoiceOf(options).columns.picked);
  options.choices[resources::OptionRowOf("import-separator")] = 2;
  options.choices[resources::OptionRowOf("import-header")] = 1;
  options.choices[resources::OptionRowOf("import-content")] = 3;
  options.choices[resources::OptionRowOf("import-caption")] = 3;  // 第 2 列
  options.choices[resources::OptionRowOf("escapes")] = 1;
  const ImportChoice choice = ImportChoiceOf(options);
  EXPECT_EQ(choice.separator, ImportSeparator::kCsv);
  EXPECT_TRUE(choice.header);
  EXPECT_TRUE(choice.columns.picked);
  EXPECT_EQ(choice.columns.content, 3);
  EXPECT_EQ(choice.columns.name, 3);  // no name column: the content names its file
  EXPECT_EQ(choice.columns.caption, 2);
  EXPECT_TRUE(choice.escapes);
}

}  // namespace
}  // namespace qrapp
